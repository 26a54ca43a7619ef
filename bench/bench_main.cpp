// Benchmark: generates large bills of quantities and times opening, calculating and
// saving them. Not a test: it prints the times and exits 0.
#include "app/bid_document.h"
#include "app/record_dump.h"
#include "bench/bench_check.h"
#include "bench/bench_position_list.h"
#include "model/calculation.h"
#include "model/project_file.h"

#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

class CSilentShell : public IShell {
public:
    Answer MessageBox(const std::string& text, const std::string&, Buttons, Icon) override {
        std::fprintf(stderr, "message: %s\n", text.c_str());
        return Answer::Ok;
    }
    void SetWindowTitle(const std::string&) override {}
    bool OpenFileDialog(const std::string&, std::string&, int&) override { return false; }
    bool SaveFileDialog(const std::string&, const std::string&, const std::string&, CBidderFields&,
                        std::string&) override {
        return false;
    }
};

std::string Pad(std::string s, size_t width) {
    s.resize(width, ' ');
    return s;
}

// One GAEB 90 line: type, data padded to 72 columns, 6-digit line number, CR LF.
void Line(std::string& out, int& lineNo, const std::string& type, const std::string& data) {
    char number[16];
    std::snprintf(number, sizeof number, "%06d", ++lineNo);
    out += type + Pad(data, 72) + number + "\r\n";
}

std::string Digits(long long value, int width) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%0*lld", width, value);
    return buffer;
}

// A D83 with `areas` LV areas of `perArea` positions each, and its d84 with prices.
void GenerateGaeb90(const fs::path& d83, const fs::path& d84, int areas, int perArea) {
    std::string inv, bid;
    int invNo = 0, bidNo = 0;
    const std::string header00 = Pad("Benchmark LV", 8) + "83" + std::string(50, ' ') + "1122PPPP ";
    Line(inv, invNo, "00", header00);
    Line(inv, invNo, "01", Pad("Benchmark-Leistungsverzeichnis", 40) + "01.12.2601.01.27");
    Line(inv, invNo, "02", "Neubau einer Schule");
    Line(inv, invNo, "08", "EUR");
    Line(bid, bidNo, "00", Pad("Benchmark LV", 8) + "84" + std::string(50, ' ') + "1122PPPP ");
    for (int a = 1; a <= areas; ++a) {
        const std::string area = Digits(a / 100 + 1, 2) + Digits(a % 100, 2);
        Line(inv, invNo, "11", area);
        Line(inv, invNo, "12", "Titel " + std::to_string(a));
        for (int p = 1; p <= perArea; ++p) {
            const std::string oz = Pad(area + Digits(p * 10, 4), 9);
            const long long quantity = 1000LL * (p % 97 + 1) + 250;
            Line(inv, invNo, "21", oz + "NN" + std::string(9, ' ') + Digits(quantity, 12) + "m2  ");
            Line(inv, invNo, "25",
                 Pad("Mauerwerk aus Kalksandstein, Position " + std::to_string(p), 70) + "01");
            Line(inv, invNo, "26", "   Kalksandstein-Mauerwerk nach DIN, Wanddicke 17,5 cm");
            Line(inv, invNo, "26", "   einschliesslich Moertel und Nebenarbeiten.");
            const long long price = 1000 + (p * 37) % 9000;
            Line(bid, bidNo, "23", oz + " " + Digits(price, 10) + "  " + Digits(price * quantity / 1000, 12));
        }
        Line(inv, invNo, "31", area);
    }
    Line(inv, invNo, "99", "");
    Line(bid, bidNo, "99", "");
    std::ofstream(d83, std::ios::binary) << inv;
    std::ofstream(d84, std::ios::binary) << bid;
}

// A P83 with `areas` LV areas of `perArea` positions each.
void GenerateGaeb2000(const fs::path& p83, int areas, int perArea) {
    std::string t = "#begin[GAEB]\r\n  [Version]1.2[end]\r\n  #begin[Vergabe]\r\n"
                    "    #begin[VergabeInfo]\r\n      [Wae]EUR[end]\r\n    #end[VergabeInfo]\r\n"
                    "    #begin[AG]\r\n      #begin[Adresse]\r\n        [Name1]Stadt[end]\r\n"
                    "      #end[Adresse]\r\n    #end[AG]\r\n    #begin[LV]\r\n"
                    "      #begin[LVInfo]\r\n        [Bez]Benchmark[end]\r\n      #end[LVInfo]\r\n";
    for (int a = 1; a <= areas; ++a) {
        t += "      #begin[LVBereich]\r\n        [OZ]" + Digits(a, 3) + "[end]\r\n        [Bez]Titel " +
             std::to_string(a) + "[end]\r\n";
        for (int p = 1; p <= perArea; ++p) {
            t += "        #begin[Position]\r\n          [OZ]" + Digits(a, 3) + Digits(p * 10, 4) +
                 "[end]\r\n          [Menge]" + std::to_string(p % 97 + 1) +
                 ",250[end]\r\n          [ME]m2[end]\r\n";
            // The last areas have positions without a description of their own, so that a
            // search for the following description over the rest of the file would show.
            if (a <= areas / 2)
                t += "          #begin[Beschreibung]\r\n            [Kurztext]Mauerwerk " +
                     std::to_string(p) +
                     "[end]\r\n            [Langtext]Kalksandstein-Mauerwerk, Wanddicke 17,5 cm\r\n"
                     "            einschliesslich Nebenarbeiten.\r\n            [end]\r\n"
                     "          #end[Beschreibung]\r\n";
            t += "        #end[Position]\r\n";
        }
        t += "      #end[LVBereich]\r\n";
    }
    t += "    #end[LV]\r\n  #end[Vergabe]\r\n#end[GAEB]\r\n";
    std::ofstream(p83, std::ios::binary) << t;
}

// A GAEB DA XML invitation (X83, version 3.3) with `areas` categories of `perArea` items,
// each with a long text of about 5 KB, as tendering programs write them; every tenth item
// asks for the bidder's quantity and every category ends with a markup item.
void GenerateGaebXml(const fs::path& x83, int areas, int perArea) {
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

// Processor time of the process so far, in seconds: on a machine that other work keeps busy
// it shows what an operation costs apart from the waiting.
double CpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char* argv[]) {
    const fs::path dir = fs::temp_directory_path() / "orvak_bench";
    fs::create_directories(dir);
    const fs::path d83 = dir / "bench.D83";
    GenerateGaeb90(d83, dir / "bench.d84", 200, 100);

    CSilentShell shell;
    CMemorySettingsStore store;
    CAppSettings settings(store);
    CBidDocument doc(shell, settings);

    auto t = std::chrono::steady_clock::now();
    if (!doc.OpenFile(d83.string(), OpenType::Gaeb90)) return 1;
    std::printf("GAEB 90 open with d84 and calculation: %d records in %.3f s\n", doc.List().Count(),
                Seconds(t));

    t = std::chrono::steady_clock::now();
    const Totals totals = CalcAll(doc.List());
    std::printf("calculation: %.3f s (total %.2f)\n", Seconds(t), totals.gp);

    t = std::chrono::steady_clock::now();
    const size_t dumpSize = DumpRecords(doc.List()).size();
    std::printf("dump: %.3f s (%zu bytes)\n", Seconds(t), dumpSize);

    t = std::chrono::steady_clock::now();
    const fs::path ovf = dir / "bench.ovf";
    if (!doc.SaveTo(ovf.string(), OpenType::Project, nullptr)) return 1;
    std::printf("project file save: %.3f s\n", Seconds(t));

    t = std::chrono::steady_clock::now();
    CAngebotList back;
    if (!LoadRecords(back, ovf.string())) return 1;
    std::printf("project file load: %d records in %.3f s\n", back.Count(), Seconds(t));

    t = std::chrono::steady_clock::now();
    if (!doc.SaveTo((dir / "bench.D84").string(), OpenType::Gaeb90, nullptr)) return 1;
    std::printf("D84 write: %.3f s\n", Seconds(t));

    const fs::path p83 = dir / "bench.P83";
    fs::remove(dir / "bench.P84");
    GenerateGaeb2000(p83, 200, 100);
    t = std::chrono::steady_clock::now();
    if (!doc.OpenFile(p83.string(), OpenType::Gaeb2000)) return 1;
    std::printf("GAEB 2000 open, mapping and calculation: %d records in %.3f s\n", doc.List().Count(),
                Seconds(t));
    t = std::chrono::steady_clock::now();
    if (!doc.SaveTo((dir / "bench.P84").string(), OpenType::Gaeb2000, nullptr)) return 1;
    std::printf("P84 write: %.3f s\n", Seconds(t));
    fs::remove(dir / "bench.P84");

    // GAEB DA XML: open and calculate 10,000 and 100,000 items; write the X84 of 10,000.
    for (const int areas : {100, 1000}) {
        const fs::path x83 = dir / ("bench_" + std::to_string(areas) + ".X83");
        fs::remove(dir / ("bench_" + std::to_string(areas) + ".X84"));
        GenerateGaebXml(x83, areas, 100);
        const double megabytes = static_cast<double>(fs::file_size(x83)) / 1e6;
        t = std::chrono::steady_clock::now();
        double cpu = CpuSeconds();
        if (!doc.OpenFile(x83.string(), OpenType::GaebXml)) return 1;
        std::printf(
            "GAEB DA XML open and calculation, %d items (%.0f MB): %d records in %.3f s (processor %.3f s)\n",
            areas * 100, megabytes, doc.List().Count(), Seconds(t), CpuSeconds() - cpu);
        if (areas == 100) {
            t = std::chrono::steady_clock::now();
            cpu = CpuSeconds();
            if (!doc.SaveTo((dir / "bench_100.X84").string(), OpenType::GaebXml, nullptr)) return 1;
            std::printf("X84 write, %d items: %.3f s (processor %.3f s)\n", areas * 100, Seconds(t),
                        CpuSeconds() - cpu);
            fs::remove(dir / "bench_100.X84");
        }
        fs::remove(x83);
    }

    BenchPositionList(argc, argv);
    BenchCheck();
    return 0;
}
