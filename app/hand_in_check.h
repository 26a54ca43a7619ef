#pragma once

#include "app/bid_check.h"

#include <functional>
#include <string>

class CBidDocument;

// The answers to the question before a bid is handed in with gaps.
enum class HandInAnswer {
    Continue,     // "Trotzdem fortfahren" (the default: saving or printing loses nothing)
    GoToFirstGap, // "Zur ersten Lücke": nothing is saved or printed, the first gap is shown
    Cancel,       // "Abbrechen"
};

// What the window asks before a bid leaves it, without the window: before a GAEB bid (D84, P84,
// X84) is saved, whether 19 % (the rate of the LV information dialog) shall go into every
// position when none carries a rate, then, as before printing and the PDF export, whether to go
// on although the check found gaps. Hints alone ask nothing. The command line tool never uses it.
class CHandInCheck {
public:
    explicit CHandInCheck(CBidDocument& document);

    // The question about the gaps, with the text of QuestionText. None: Continue.
    std::function<HandInAnswer(const std::string& text)> askGaps;
    // "Zur ersten Lücke": shows the first gap (the check that found it is passed).
    std::function<void(const CBidCheck& check)> goToFirstGap;

    // Before a GAEB bid is written (the dialog's bidder and currency are in the records): the VAT
    // question through the shell (Ja: the rate into every position of every LV, as the
    // dialog's button does; Abbrechen: false), then the gap question. True when saving goes on.
    bool BeforeSave();
    // Before printing and the PDF export: the gap question alone.
    bool BeforePrint();

    // The check of the last question.
    const CBidCheck& Check() const { return m_check; }

    // "Kein Mehrwertsteuersatz gesetzt. 19 % in alle Positionen einsetzen?" with the rate.
    static std::string VatQuestion(const std::string& rate);
    // The gaps counted, the first `listed` of them one per line (OZ, what, short text), the
    // rest counted; the whole bid's gaps first. `skipVat`: without the missing VAT rate (the
    // user already declined to set one).
    static std::string QuestionText(const CBidCheck& check, bool skipVat, size_t listed = 8);
    // The gaps the question counts.
    static size_t CountedGaps(const CBidCheck& check, bool skipVat);

private:
    // The gap question when the check found gaps; false for "Zur ersten Lücke" and "Abbrechen".
    bool AskAboutGaps(bool skipVat);

    CBidDocument& m_document;
    CBidCheck m_check;
};
