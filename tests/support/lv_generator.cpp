#include "support/lv_generator.h"

#include <cstdio>
#include <fstream>

namespace lvgen {

namespace {

std::string Pad(std::string s, size_t width) {
    s.resize(width, ' ');
    return s;
}

std::string Digits(long long value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, value);
    return buffer;
}

// Appends one GAEB 90 line: type, data padded to 72 columns, 6-digit line number, CR LF.
class CLineWriter {
public:
    void Line(const std::string& type, const std::string& data) {
        m_text += type;
        m_text += Pad(data, 72);
        m_text += Digits(++m_lineNo % 1000000, 6);
        m_text += "\r\n";
    }
    std::string& Text() { return m_text; }

private:
    std::string m_text;
    long long m_lineNo = 0;
};

// What kind of position the p-th of an area is; the same rule for every format.
enum class PosKind { Normal, Base, Alternative, Eventual, Surcharge, LumpSum };

PosKind KindOf(int p) {
    if (p % 50 == 0) return PosKind::Surcharge;
    if (p % 20 == 9) return PosKind::Base;
    if (p % 20 == 10) return PosKind::Alternative;
    if (p % 25 == 13) return PosKind::Eventual;
    if (p % 30 == 3) return PosKind::LumpSum;
    return PosKind::Normal;
}

long long QuantityOf(int p) {
    return 1000LL * (p % 97 + 1) + 250;
} // 3 implied decimals
long long PriceOf(int p) {
    return 1000 + (p * 37) % 9000;
} // 2 implied decimals

} // namespace

SGaeb90Files GenerateGaeb90(const SLvShape& shape) {
    CLineWriter inv, bid;
    const std::string header = Pad("Benchmark LV", 8);
    inv.Line("00", header + "83" + std::string(50, ' ') + "1122PPPP ");
    inv.Line("01", Pad("Benchmark-Leistungsverzeichnis", 40) + "01.12.2601.01.27");
    inv.Line("02", "Neubau einer Schule");
    inv.Line("08", "EUR   Euro");
    bid.Line("00", header + "84" + std::string(50, ' ') + "1122PPPP ");
    bid.Line("04", "Bieter GmbH");
    bid.Line("08", "EUR   Euro");

    long long group = 0;
    const int areas = shape.Areas();
    for (int a = 0; a < areas; ++a) {
        const int title = a / SLvShape::kAreasPerTitle + 1;
        const std::string titleOz = Digits(title, 2);
        if (a % SLvShape::kAreasPerTitle == 0) {
            inv.Line("11", titleOz);
            inv.Line("12", "Bauabschnitt " + std::to_string(title));
        }
        const std::string areaOz = titleOz + Digits(a % SLvShape::kAreasPerTitle + 1, 2);
        inv.Line("11", areaOz);
        inv.Line("12", "Titel " + std::to_string(a + 1));
        const int count = a + 1 < areas ? SLvShape::kPerArea : shape.positions - a * SLvShape::kPerArea;
        for (int p = 1; p <= count; ++p) {
            const PosKind kind = KindOf(p);
            const std::string oz = Pad(areaOz + Digits(p * 10, 4), 9);
            if (kind == PosKind::Base) group = group % 9999 + 1;
            const std::string code = kind == PosKind::Base          ? "GN"
                                     : kind == PosKind::Alternative ? "AN"
                                     : kind == PosKind::Eventual    ? "NE"
                                                                    : "NN";
            const bool grouped = kind == PosKind::Base || kind == PosKind::Alternative;
            const std::string groupRef = grouped ? Digits(group, 4) : std::string(4, ' ');
            const std::string flags = kind == PosKind::Surcharge ? " Z  " : "    ";
            const long long quantity = kind == PosKind::Surcharge ? 10000
                                       : kind == PosKind::LumpSum ? 1000
                                                                  : QuantityOf(p);
            const std::string unit = kind == PosKind::LumpSum ? "psch" : "m2  ";
            inv.Line("21", oz + code + "N" + groupRef + flags + Digits(quantity, 12) + unit);
            const std::string shortText = kind == PosKind::Surcharge
                                              ? "Zuschlag Erschwernis, Position "
                                              : "Mauerwerk aus Kalksandstein, Position ";
            inv.Line("25", shortText + std::to_string(p));
            inv.Line("26", "   Kalksandstein-Mauerwerk nach DIN, Wanddicke 17,5 cm");
            inv.Line("26", "   einschlie\xdf"
                           "lich M\xf6rtel und Nebenarbeiten.");
            if (p % 7 == 0)
                for (int line = 1; line <= 4; ++line)
                    inv.Line("26", "   Ausf\xfchrung nach Zeichnung, Abschnitt " + std::to_string(line) +
                                       ", Fugen glatt gestrichen.");

            // The bid: most positions priced, some with a surcharge factor, every
            // thirteenth left open; the surcharge positions carry rate and base.
            if (p % 13 == 0) continue;
            const long long price = PriceOf(p);
            std::string line = oz + " ";
            if (kind == PosKind::Surcharge) {
                line += std::string(10, ' ') + "  " + Digits(5687500 + p, 12);
                line = Pad(line, 53) + " 01000 " + Digits(56875000 + p * 100LL, 12);
            } else if (kind == PosKind::LumpSum) {
                line += std::string(10, ' ') + "  " + Digits(price * 10, 12);
            } else {
                line += Digits(price, 10) + "  " + Digits(price * quantity / 1000, 12);
                if (p % 17 == 5) line = Pad(line, 46) + "1150000";
            }
            bid.Line("23", line);
        }
        inv.Line("31", areaOz);
        if ((a + 1) % SLvShape::kAreasPerTitle == 0 || a + 1 == areas) inv.Line("31", titleOz);
    }
    inv.Line("99", "");
    bid.Line("99", "");
    return {std::move(inv.Text()), std::move(bid.Text())};
}

std::string GenerateGaeb2000(const SLvShape& shape) {
    std::string t = "#begin[GAEB]\r\n  [Version]1.2[end]\r\n  #begin[Vergabe]\r\n"
                    "    #begin[VergabeInfo]\r\n      [Wae]EUR[end]\r\n    #end[VergabeInfo]\r\n"
                    "    #begin[AG]\r\n      #begin[Adresse]\r\n        [Name1]Stadt[end]\r\n"
                    "      #end[Adresse]\r\n    #end[AG]\r\n    #begin[LV]\r\n"
                    "      #begin[LVInfo]\r\n        [Bez]Benchmark[end]\r\n      #end[LVInfo]\r\n";
    const int areas = shape.Areas();
    int group = 0;
    for (int a = 0; a < areas; ++a) {
        const int title = a / SLvShape::kAreasPerTitle + 1;
        const std::string titleOz = Digits(title, 2);
        if (a % SLvShape::kAreasPerTitle == 0)
            t += "      #begin[LVBereich]\r\n        [OZ]" + titleOz + "[end]\r\n        [Bez]Bauabschnitt " +
                 std::to_string(title) + "[end]\r\n";
        const std::string areaOz = titleOz + Digits(a % SLvShape::kAreasPerTitle + 1, 2);
        t += "        #begin[LVBereich]\r\n          [OZ]" + areaOz + "[end]\r\n          [Bez]Titel " +
             std::to_string(a + 1) + "[end]\r\n";
        const int count = a + 1 < areas ? SLvShape::kPerArea : shape.positions - a * SLvShape::kPerArea;
        for (int p = 1; p <= count; ++p) {
            const PosKind kind = KindOf(p);
            t += "          #begin[Position]\r\n            [OZ]" + areaOz + Digits(p * 10, 4) +
                 "[end]\r\n            [Menge]" + std::to_string(p % 97 + 1) +
                 ",250[end]\r\n            [ME]m2[end]\r\n";
            if (kind == PosKind::Base) group = group % 999 + 1;
            if (kind == PosKind::Base || kind == PosKind::Alternative)
                t += "            [ZZGruppeNr]" + std::to_string(group) + "[end]\r\n            [ZZLfdNr]" +
                     (kind == PosKind::Base ? "0" : "1") + "[end]\r\n";
            if (kind == PosKind::Eventual) t += "            [Bedarf]E[end]\r\n";
            if (a < areas / 2) {
                t += "            #begin[Beschreibung]\r\n              [Kurztext]Mauerwerk " +
                     std::to_string(p) +
                     "[end]\r\n              [Langtext]Kalksandstein-Mauerwerk, Wanddicke 17,5 cm\r\n"
                     "              einschlie\xdf"
                     "lich Nebenarbeiten.\r\n";
                if (p % 7 == 0)
                    t += "              Ausf\xfchrung nach Zeichnung, Fugen glatt gestrichen.\r\n";
                t += "              [end]\r\n            #end[Beschreibung]\r\n";
            }
            t += "          #end[Position]\r\n";
        }
        t += "        #end[LVBereich]\r\n";
        if ((a + 1) % SLvShape::kAreasPerTitle == 0 || a + 1 == areas) t += "      #end[LVBereich]\r\n";
    }
    t += "    #end[LV]\r\n  #end[Vergabe]\r\n#end[GAEB]\r\n";
    return t;
}

void GenerateGaebXml(const std::filesystem::path& x83, int areas, int perArea) {
    std::ofstream out(x83, std::ios::binary);
    out << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GAEB "
           "xmlns=\"http://www.gaeb.de/GAEB_DA_XML/DA83/3.3\">\n"
           " <GAEBInfo><Version>3.3</Version><VersDate>2021-05</VersDate></GAEBInfo>\n"
           " <PrjInfo><NamePrj>B</NamePrj><LblPrj>Benchmark</LblPrj></PrjInfo>\n"
           " <Award><DP>83</DP><AwardInfo><Cur>EUR</Cur><CurLbl>Euro</CurLbl></AwardInfo>\n"
           "  <BoQ ID=\"BOQ\"><BoQInfo><Name>Benchmark</Name>"
           "<BoQBkdn><Type>BoQLevel</Type><Length>4</Length></BoQBkdn>"
           "<BoQBkdn><Type>Item</Type><Length>4</Length></BoQBkdn></BoQInfo>\n  <BoQBody>\n";
    std::string item;
    for (int a = 1; a <= areas; ++a) {
        out << "   <BoQCtgy ID=\"C" << a << "\" RNoPart=\"" << a << "\"><LblTx><p><span>Titel " << a
            << "</span></p></LblTx><BoQBody><Itemlist>\n";
        for (int p = 1; p <= perArea; ++p) {
            item = "    <Item ID=\"I" + std::to_string(a) + "_" + std::to_string(p) + "\" RNoPart=\"" +
                   std::to_string(p * 10) + "\">";
            if (p % 10 == 0) item += "<QtyTBD>Yes</QtyTBD>";
            item += "<Qty>" + std::to_string(p % 97 + 1) +
                    ".250</Qty><QU>m2</QU>\n     <Description><CompleteText>"
                    "<DetailTxt><Text>\n";
            for (int line = 1; line <= 40; ++line)
                item += "      <p><span>Kalksandstein-Mauerwerk nach DIN, Wanddicke 17,5 cm, mit "
                        "M\xc3\xb6rtel und "
                        "Nebenarbeiten, Zeile " +
                        std::to_string(line) + ".</span></p>\n";
            item += "     </Text></DetailTxt><OutlineText><OutlTxt><TextOutlTxt><p><span>Mauerwerk " +
                    std::to_string(p) +
                    "</span></p></TextOutlTxt></OutlTxt></OutlineText></CompleteText>"
                    "</Description></Item>\n";
            out << item;
        }
        out << "    <MarkupItem ID=\"M" << a
            << "\" RNoPart=\"9990\"><MarkupType>AllInCat</MarkupType></MarkupItem>\n"
            << "   </Itemlist></BoQBody></BoQCtgy>\n";
    }
    out << "  </BoQBody></BoQ>\n </Award>\n</GAEB>\n";
}

bool WriteFile(const std::filesystem::path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out.flush());
}

} // namespace lvgen
