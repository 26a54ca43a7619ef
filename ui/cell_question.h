#pragma once

#include <string>

// The questions an entry on a group row asks before it hands the value to every row below.
enum class CellQuestion {
    VatForAll,       // message 61220
    SurchargeForAll, // message 61221
};

// The message number and text (Windows-1252) of a question; asked with Yes/No and a question icon.
int CellQuestionId(CellQuestion question);
std::string CellQuestionText(CellQuestion question);
