#include "app/messages.h"

#include "common/text_util.h"
#include "ui/cell_question.h"

namespace Msg {

std::string Text(int id) {
    switch (id) {
    case AskSaveChanges:
        return "Sie haben die Datei %1 ge\xe4ndert. Wollen Sie die \xc4nderungen speichern?";
    case AskVatForAll:
        return CellQuestionText(CellQuestion::VatForAll);
    case AskSurchargeForAll:
        return CellQuestionText(CellQuestion::SurchargeForAll);
    case CannotOpen:
        return "Die Datei %1 kann nicht ge\xf6"
               "ffnet werden. Stellen Sie sicher, da\xdf die Datei nicht in "
               "Benutzung ist und das sie ein g\xfcltiges Format enth\xe4lt.";
    case OzKeyTooLong:
        return "Die Positionierung des LV wurde mit einem 14-stelligem OZ-Schl\xfcssel vorgenommen. Ein "
               "Datenaustausch ist  mit GAEB Version 90 nicht m\xf6glich.";
    case FileMissing:
        return "Die Datei %1 ist nicht vorhanden.";
    case CannotSave:
        return "Die Datei %1 konnte nicht gespeichert werden. Die vorherige Fassung der Datei ist "
               "unver\xe4ndert geblieben.";
    default:
        return std::string();
    }
}

std::string Format(int id, const std::string& arg) {
    return ReplaceAll(Text(id), "%1", arg);
}

} // namespace Msg

std::string ApplicationTitle() {
    return "Fenwold 2014 Angebotsbearbeitung";
}
