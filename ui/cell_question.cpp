#include "ui/cell_question.h"

int CellQuestionId(CellQuestion question) {
    return question == CellQuestion::VatForAll ? 61220 : 61221;
}

std::string CellQuestionText(CellQuestion question) {
    const char* const what =
        question == CellQuestion::VatForAll ? "einen Mehrwertsteuersatz" : "einen Zu- oder Abschlag";
    return std::string("Wenn Sie hier ") + what +
           " eingeben, wird er in alle Positionen der darunterliegenden Hierarchiestufen eingesetzt.\r\n\r\n"
           "Wollen Sie die Aktion ausf\xfchren?";
}
