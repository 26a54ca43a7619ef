#include "ui/qt/qt_resources.h"

#include <QString>

#include <array>

// Q_INIT_RESOURCE must be used outside any namespace.
static void InitOrvakResources() {
    Q_INIT_RESOURCE(orvak);
}

void EnsureOrvakResources() {
    static const bool done = (InitOrvakResources(), true);
    (void)done;
}

QIcon RowIcon(int image) {
    EnsureOrvakResources();
    static const std::array<QIcon, 7> icons = [] {
        std::array<QIcon, 7> result;
        for (size_t i = 0; i < result.size(); ++i)
            result[i] = QIcon(QStringLiteral(":/icons/row%1.png").arg(i));
        return result;
    }();
    return image >= 0 && image < static_cast<int>(icons.size()) ? icons[static_cast<size_t>(image)] : QIcon();
}
