#include "app/hand_in_check.h"

#include "app/bid_document.h"
#include "app/lv_info_fields.h"
#include "app/messages.h"
#include "model/display_tree.h"

namespace {

bool Counted(const SBidFinding& gap, bool skipVat) {
    return !(skipVat && gap.item == CheckItem::NoVatRate);
}

// The LVs of the bid that take a VAT rate (not the contract-regulation blocks).
std::vector<int> BidLvs(const CAngebotList& list) {
    std::vector<int> lvs;
    const CDisplayTree tree(list);
    for (int r : tree.Order())
        if (list.GetChar(r, Fld::Kind) == Kind::Lv && list.GetChar(r, Fld::PosType) != PosType::ContractText)
            lvs.push_back(r);
    return lvs;
}

} // namespace

CHandInCheck::CHandInCheck(CBidDocument& document) : m_document(document) {}

std::string CHandInCheck::VatQuestion(const std::string& rate) {
    return "Kein Mehrwertsteuersatz gesetzt. " + rate + " % in alle Positionen einsetzen?";
}

size_t CHandInCheck::CountedGaps(const CBidCheck& check, bool skipVat) {
    size_t count = 0;
    for (const SBidFinding& gap : check.Gaps())
        count += Counted(gap, skipVat) ? 1 : 0;
    return count;
}

std::string CHandInCheck::QuestionText(const CBidCheck& check, bool skipVat, size_t listed) {
    const size_t count = CountedGaps(check, skipVat);
    std::string text = count == 1 ? "Im Angebot fehlt noch eine Eingabe:"
                                  : "Im Angebot fehlen noch " + std::to_string(count) + " Eingaben:";
    text += "\r\n";
    size_t shown = 0;
    for (const SBidFinding& gap : check.Gaps()) {
        if (!Counted(gap, skipVat)) continue;
        if (shown == listed) break;
        text += "\r\n" + gap.Line();
        ++shown;
    }
    if (count > shown) text += "\r\n... und " + std::to_string(count - shown) + " weitere";
    text += "\r\n\r\nTrotzdem fortfahren?";
    return text;
}

bool CHandInCheck::AskAboutGaps(bool skipVat) {
    if (CountedGaps(m_check, skipVat) == 0) return true;
    const HandInAnswer answer = askGaps ? askGaps(QuestionText(m_check, skipVat)) : HandInAnswer::Continue;
    if (answer == HandInAnswer::GoToFirstGap && goToFirstGap) goToFirstGap(m_check);
    return answer == HandInAnswer::Continue;
}

bool CHandInCheck::BeforeSave() {
    CAngebotList& list = m_document.List();
    m_check.Run(list);
    bool vatDeclined = false;
    for (const SBidFinding& gap : m_check.Gaps()) {
        if (gap.item != CheckItem::NoVatRate) continue;
        const std::vector<int> lvs = BidLvs(list);
        if (lvs.empty()) break;
        // The rate and the button of the LV information dialog.
        CLvInfoFields fields(list, m_document.Settings(), m_document.DefaultVat());
        fields.Open(lvs.front());
        const IShell::Answer answer =
            m_document.Shell().MessageBox(VatQuestion(fields.VatText()), ApplicationTitle(),
                                          IShell::Buttons::YesNoCancel, IShell::Icon::Question);
        if (answer == IShell::Answer::Cancel) return false;
        if (answer == IShell::Answer::Yes) {
            const std::string rate = fields.VatText();
            bool applied = false;
            // One step of the history, as the dialog's button is.
            const bool step = m_document.RecordStep(CBidDocument::kVatForAllStepName, [&] {
                for (int lv : lvs) {
                    CLvInfoFields each(list, m_document.Settings(), m_document.DefaultVat());
                    each.Open(lv);
                    each.SetVatText(rate);
                    applied = each.ApplyVatToAll() || applied;
                }
            });
            if (applied) {
                if (!step) m_document.SetModified(true);
                // The rates are calculated in: the views show them while the next question is open.
                if (m_document.onRecalculated) m_document.onRecalculated();
            }
            m_check.Run(list);
        } else {
            vatDeclined = true;
        }
        break;
    }
    return AskAboutGaps(vatDeclined);
}

bool CHandInCheck::BeforePrint() {
    m_check.Run(m_document.List());
    return AskAboutGaps(false);
}
