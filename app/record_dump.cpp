#include "app/record_dump.h"

#include "common/code_page.h"
#include "common/number_format.h"
#include "model/display_tree.h"

namespace {

bool IsDumpSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

std::string Number(double value, int decimals) {
    CNumberFormat format;
    std::string text;
    format.FormatPlain(CNumberFormat::RoundTo(value, decimals), decimals, text);
    return text;
}

} // namespace

std::string DumpText(const std::string& text) {
    size_t begin = 0, end = text.size();
    while (begin < end && IsDumpSpace(text[begin]))
        ++begin;
    while (end > begin && IsDumpSpace(text[end - 1]))
        --end;
    std::string out = text.substr(begin, end - begin);
    for (char& c : out)
        if (c == '\t' || c == '\r' || c == '\n') c = ' ';
    return Cp1252ToUtf8(out);
}

std::string DumpRecords(const CAngebotList& list) {
    std::string out = "level\tkind\tpostype\tlabel\toz\tshorttext\tquantity\tunit\tother\twage\tep\tgp\t"
                      "surcharge\tgpeff\tvat\tgpbrt\n";
    const CDisplayTree tree(list);
    for (int i : tree.Order()) {
        out += std::to_string(list.GetInt(i, Fld::Level));
        for (Fld field : {Fld::Kind, Fld::PosType, Fld::Label, Fld::OZ, Fld::ShortText})
            out += '\t' + DumpText(list.GetText(i, field));
        out += '\t' + Number(list.GetDouble(i, Fld::Quantity), 3);
        out += '\t' + DumpText(list.GetText(i, Fld::Unit));
        for (Fld field : {Fld::OtherShare, Fld::WageShare, Fld::UnitPrice, Fld::TotalPrice, Fld::SurchargePct,
                          Fld::TotalNet, Fld::VatPct, Fld::TotalGross})
            out += '\t' + Number(list.GetDouble(i, field), 2);
        out += '\n';
    }
    return out;
}
