#pragma once

// Loads Qt's own German texts (standard buttons, file and print dialogs) into the running
// application; false when the translations are not installed (Debian qt6-translations-l10n).
bool InstallGermanTranslations();
