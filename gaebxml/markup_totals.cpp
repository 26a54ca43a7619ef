#include "gaebxml/markup_totals.h"

#include "common/number_format.h"
#include "model/calculation.h"

void UpdateMarkupTotals(CAngebotList& list, const CGaebXmlDocument& document) {
    for (const CGaebXmlDocument::Markup& markup : document.Markups()) {
        if (markup.record < 0 || markup.record >= list.Count()) continue;
        double basis = 0.0;
        for (int b : markup.basis)
            basis += list.GetDouble(b, Fld::TotalPrice);
        list.SetDouble(markup.record, Fld::UnitPrice, CNumberFormat::RoundTo(basis, 2));
        RecalcPosition(list, markup.record);
    }
}
