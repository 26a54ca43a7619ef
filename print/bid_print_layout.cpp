#include "print/bid_print_layout.h"

#include "common/text_util.h"
#include "model/fields.h"
#include "model/supplements.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <ctime>
#include <set>
#include <vector>

namespace {

// The text that stands for a value that is not printed.
const char* const kNotPrinted = "__________";
const char* const kTotalNotPrinted = "_______________";
const char* const kBidderTextMissing = "***Bietertext fehlt***";
const char* const kEightBlanks = "        ";

// a * b / c with integer division truncating toward zero, without overflow in between.
int MulDiv(long long a, long long b, long long c) {
    if (c == 0) return 0;
    const long long r = a * b / c;
    return static_cast<int>(std::clamp<long long>(r, INT_MIN, INT_MAX));
}

bool IsGroupOrSum(char kind) {
    return kind != '\0' && std::strchr("XOLTSK", kind) != nullptr;
}

// File name and extension of a path with drive and directories removed.
std::string FileNameOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

CBidPrintLayout::CBidPrintLayout() : m_dateText(Today()) {
    m_charWidths.fill(-1);
}

std::string CBidPrintLayout::Today() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char buffer[32];
    const size_t n = std::strftime(buffer, sizeof buffer, "%d.%m.%Y", &local);
    return std::string(buffer, n);
}

void CBidPrintLayout::SetDocumentPath(const std::string& path) {
    m_documentName = FileNameOf(path);
}

void CBidPrintLayout::SetPositionNumbers(const std::vector<std::string>& ozs) {
    // The digits of Arial all have the same width, so numbers of one shape ("00.00.0000")
    // are measured once.
    std::set<std::string> shapes;
    for (const std::string& oz : ozs) {
        std::string shape = TrimRight(oz);
        for (char& c : shape)
            if (c >= '0' && c <= '9') c = '0';
        if (!shape.empty()) shapes.insert(std::move(shape));
    }
    m_ozShapes.assign(shapes.begin(), shapes.end());
    m_widestOz = -1;
}

int CBidPrintLayout::WidestOz() {
    const FontSpec font = MakeFont(9, true);
    if (m_widestOz >= 0 && font == m_widestOzFont) return m_widestOz;
    m_widestOz = 0;
    m_widestOzFont = font;
    for (const std::string& shape : m_ozShapes)
        m_widestOz = std::max(m_widestOz, m_device ? m_device->TextExtent(font, shape).cx : 0);
    return m_widestOz;
}

int CBidPrintLayout::ToDevice(int v, int dpi) {
    if (dpi <= 0) return v;
    return static_cast<int>(CNumberFormat::RoundTo(static_cast<double>(v) * dpi / 600.0, 0));
}

int CBidPrintLayout::BottomLimit() const {
    return MulDiv(m_caps.pageHeight, 95, 100);
}

FontSpec CBidPrintLayout::MakeFont(int points, bool bold) const {
    FontSpec font;
    font.face = m_fontFace;
    font.height =
        -static_cast<int>(CNumberFormat::RoundTo(static_cast<double>(m_caps.dpiY) * points / 72.0, 0));
    font.bold = bold;
    return font;
}

bool CBidPrintLayout::Fits() const {
    return static_cast<long long>(m_y) + m_lastHeight <= BottomLimit();
}

// Sums of rounded totals carry binary noise (7982.0599999999995 for 7982.06); formatting cuts
// digits off, so the value is rounded first.
std::string CBidPrintLayout::Money(double value) {
    std::string text;
    m_format.FormatNumber(CNumberFormat::RoundTo(value, 2), 2, text);
    return text;
}

std::string CBidPrintLayout::Quantity(double value) {
    std::string text;
    m_format.FormatNumber(CNumberFormat::RoundTo(value, 3), 3, text);
    return text;
}

CBidPrintLayout::Measured CBidPrintLayout::MeasureText(const std::string& text, int points, bool bold) {
    Measured measured;
    if (!m_device) return measured;
    const FontSpec font = MakeFont(points, bold);
    measured.size = m_device->TextExtent(font, text);
    measured.metrics = m_device->Metrics(font);
    return measured;
}

int CBidPrintLayout::DrawTextAt(const std::string& text, int x, int y, int points, bool bold,
                                bool rightAligned, TextSize* size) {
    if (!m_device) return y;
    const FontSpec font = MakeFont(points, bold);
    const TextSize extent = m_device->TextExtent(font, text);
    const TextMetrics metrics = m_device->Metrics(font);
    const int lineHeight = metrics.height + 2 * metrics.externalLeading;
    m_device->DrawText(font, rightAligned ? x - extent.cx : x, y, text);
    m_lastHeight = std::max(extent.cy, lineHeight);
    if (size) {
        size->cx = extent.cx;
        size->cy = m_lastHeight;
    }
    return y + ToDeviceY(10) + lineHeight;
}

void CBidPrintLayout::DrawLine(int x1, int y1, int x2, int y2, int width, PenStyle style) {
    if (m_device) m_device->DrawLine(x1, y1, x2, y2, width, style);
}

void CBidPrintLayout::DrawBox(const DeviceRect& rect, bool shadow) {
    if (!m_device) return;
    m_device->DrawRect(rect, 2);
    m_y += ToDeviceY(10) + rect.bottom;
    if (shadow) {
        const int s = MulDiv(rect.bottom - rect.top, 5, 100);
        m_device->FillRect({rect.left + s, rect.bottom, rect.right + s, rect.bottom + s}, 128, 128, 128);
        m_device->FillRect({rect.right, rect.top + s, rect.right + s, rect.bottom + s}, 128, 128, 128);
        m_y += ToDeviceY(s);
    }
}

bool CBidPrintLayout::BeginPage(IDrawDevice& device) {
    m_device = &device;
    DeviceCaps caps;
    m_ready = device.GetCaps(caps) && caps.dpiX > 0 && caps.dpiY > 0;
    m_caps = m_ready ? caps : DeviceCaps{};
    m_y = m_caps.offsetY;
    m_lastHeight = 0;
    m_charWidths.fill(-1);
    return m_ready;
}

void CBidPrintLayout::PrintHeader(const std::string& title) {
    if (!m_ready) return;
    const int x0 = m_caps.offsetX;
    const int top = m_caps.offsetY;
    const int W = m_caps.pageWidth;
    const int H = m_caps.pageHeight;

    // The framed title box with its shadow.
    m_y += ToDeviceY(10);
    DeviceRect box;
    box.left = x0;
    box.top = top;
    box.bottom = top + MulDiv(H, 8, 100);
    box.right = W + MulDiv(box.top - box.bottom, 10, 100);
    m_right = box.right;
    const int R = m_right;
    DrawBox(box, true);

    const Measured underscore = MeasureText("_", 12, true);
    const int line12 = underscore.metrics.height + 2 * underscore.metrics.externalLeading;
    const int t = box.bottom - line12 * 2 - ToDeviceY(60);

    DrawTextAt("Angebot", x0 + ToDeviceX(50), top + ToDeviceY(50), 16, true);
    const std::string fileLabel = "Angebotsdatei:";
    DrawTextAt(fileLabel, x0 + ToDeviceX(50), t, 12, true);
    const int v = x0 + ToDeviceX(100) + MeasureText(fileLabel, 12, true).size.cx;
    const int t2 = DrawTextAt(m_documentName, v, t, 12, true);
    const std::string titleLabel = "Angebot \xfc"
                                   "ber:";
    DrawTextAt(titleLabel, x0 + ToDeviceX(50), t2, 12, true);
    DrawTextAt(title, v, t2, 12, true);

    // The currency in a smaller font, its bottom on the bottom of the title line.
    const std::string currency = "W\xe4hrung: " + m_currency;
    const int height12 = MeasureText(titleLabel, 12, true).size.cy;
    const int height10 = MeasureText(currency, 10, false).size.cy;
    DrawTextAt(currency, R - ToDeviceX(50), t2 + height12 - height10, 10, false, true);

    DrawLine(x0, m_y, R, m_y, 2, PenStyle::Solid);
    m_y += ToDeviceY(20);

    // Column headings.
    // The text column leaves room for the heading and for the widest position number, which
    // is drawn bold beside the short text; a fifth of the width at most.
    const std::string posLabel = "Pos.-Nr.";
    DrawTextAt(posLabel, x0, m_y, 9, false);
    const int afterHeading = ToDeviceX(150) + MeasureText(posLabel, 9, false).size.cx;
    const int afterOz = std::min(WidestOz() + ToDeviceX(60), (R - x0) / 5);
    m_columns.text = x0 + std::max(afterHeading, afterOz);
    m_y = DrawTextAt("Kurztext", m_columns.text, m_y, 9, false) + ToDeviceY(10);
    DrawLine(m_columns.text, m_y, R, m_y, 1, PenStyle::Dotted);
    m_y += ToDeviceY(20);

    const int nextY = DrawTextAt("Menge", m_columns.text, m_y, 9, false);
    const int c = MulDiv(R - x0, 2, 18);
    m_columns.wage = R + c + MulDiv(x0 - R, 2, 3);
    m_columns.other = m_columns.wage + c;
    m_columns.ep = m_columns.other + c;
    m_columns.gp = m_columns.ep + c;
    m_columns.percent = m_columns.gp + c;
    m_columns.gpEff = m_columns.percent + c;
    DrawTextAt("Lohn", m_columns.wage, m_y, 9, false, true);
    DrawTextAt("Sonstiges", m_columns.other, m_y, 9, false, true);
    DrawTextAt("EP", m_columns.ep, m_y, 9, false, true);
    DrawTextAt("GP", m_columns.gp, m_y, 9, false, true);
    DrawTextAt("% Zu/Ab", m_columns.percent, m_y, 9, false, true);
    DrawTextAt("GP eff.", m_columns.gpEff, m_y, 9, false, true);
    m_y = nextY + ToDeviceY(10);
    DrawLine(m_columns.text, m_y, R, m_y, 1, PenStyle::Dotted);
    m_y += ToDeviceY(20);

    m_y = DrawTextAt("Langtext", m_columns.text, m_y, 9, false) + ToDeviceY(10);
    DrawLine(x0, m_y, R, m_y, 2, PenStyle::Solid);
    m_y += ToDeviceY(100);
}

bool CBidPrintLayout::PrintRecord(const CAngebotList& list, int index) {
    if (!m_ready) {
        m_resumeStage = 0;
        return true;
    }
    const int x0 = m_caps.offsetX;
    const char kind = list.GetChar(index, Fld::Kind);

    if (m_resumeStage == 0) {
        int gap = kind == 'B' ? ToDeviceY(50) : ToDeviceY(10);
        m_y = DrawTextAt(TrimLeft(list.GetText(index, Fld::Label)), m_columns.text, m_y, 8, true);
        DrawTextAt(list.GetText(index, Fld::OZ), x0, m_y, 9, true);
        if (IsGroupOrSum(kind)) {
            const std::string gp =
                m_printPrices ? Money(list.GetDouble(index, Fld::TotalPrice)) : kNotPrinted;
            const std::string net = m_printPrices ? Money(list.GetDouble(index, Fld::TotalNet)) : kNotPrinted;
            DrawTextAt(gp, m_columns.gp, m_y, 9, true, true);
            DrawTextAt(net, m_columns.gpEff, m_y, 9, true, true);
            gap = ToDeviceY(50);
        }
        m_y = DrawTextAt(list.GetText(index, Fld::ShortText), m_columns.text, m_y, 9, true) + gap;
        if (!Fits()) {
            m_resumeStage = 1;
            return false;
        }
    }

    if (m_resumeStage <= 1 && kind == 'P') {
        const std::string flags = list.GetText(index, Fld::Flags);
        const bool surcharge = FlagAt(flags, FlagPos::Surcharge) == 'Z';
        const std::string unit = list.GetText(index, Fld::Unit);
        std::string line = Quantity(list.GetDouble(index, Fld::Quantity)) + " " + unit;
        if (surcharge)
            line += " Zuschlag auf " +
                    (m_printPrices ? Money(list.GetDouble(index, Fld::UnitPrice)) : kNotPrinted);
        const int nextY = DrawTextAt(line, m_columns.text, m_y, 9, true);

        if (FlagAt(flags, FlagPos::SplitPrice) == 'X') {
            DrawTextAt(m_printPrices ? Money(list.GetDouble(index, Fld::WageShare)) : kNotPrinted,
                       m_columns.wage, m_y, 9, false, true);
            DrawTextAt(m_printPrices ? Money(list.GetDouble(index, Fld::OtherShare)) : kNotPrinted,
                       m_columns.other, m_y, 9, false, true);
        }

        const char posType = list.GetChar(index, Fld::PosType);
        const bool onlyUnitPrice = posType == 'A' || posType == 'E';
        std::string ep;
        if (ToUpperAscii(Trim(unit)) == "PSCH")
            ep = "nur GP";
        else if (m_printPrices && !surcharge)
            ep = Money(list.GetDouble(index, Fld::UnitPrice));
        std::string gp;
        if (onlyUnitPrice)
            gp = "nur EP";
        else if (m_printPrices)
            gp = Money(list.GetDouble(index, Fld::TotalPrice));
        std::string percent;
        std::string gpEff;
        if (!onlyUnitPrice && m_printPrices) {
            // A percentage derived from a factor (1.15 gives 14.999999999999986) prints as 15,00.
            percent = Money(list.GetDouble(index, Fld::SurchargePct));
            gpEff = Money(list.GetDouble(index, Fld::TotalNet));
        }
        DrawTextAt(ep, m_columns.ep, m_y, 9, true, true);
        DrawTextAt(gp, m_columns.gp, m_y, 9, true, true);
        DrawTextAt(percent, m_columns.percent, m_y, 9, false, true);
        DrawTextAt(gpEff, m_columns.gpEff, m_y, 9, true, true);
        m_y = nextY + ToDeviceY(50);
        if (!Fits()) {
            m_resumeStage = 2;
            return false;
        }
    }

    if (m_printLongTexts && !PrintLongText(list, index)) return false;

    m_resumeStage = 0;
    m_y += ToDeviceY(70);
    const long long needed =
        static_cast<long long>(m_y) + ToDeviceY(80) + 3LL * MeasureText(kEightBlanks, 9, false).size.cy;
    if (needed > BottomLimit()) {
        ++m_recordCursor; // this record is done; the next one starts on a new page
        return false;
    }
    return true;
}

std::string CBidPrintLayout::MergeBidderTexts(const CAngebotList& list, int index) const {
    if (IsGroupOrSum(list.GetChar(index, Fld::Kind))) return list.GetText(index, Fld::LongText);
    // The places and texts as the memo pane finds them; a text the bidder has not given yet
    // is marked on paper.
    return CSupplements::MergeBidderTexts(
               list, index, [](const std::string&) { return std::string(kBidderTextMissing); }, false)
        .text;
}

int CBidPrintLayout::CharWidth(const FontSpec& font, char c) {
    int& width = m_charWidths[static_cast<unsigned char>(c)];
    if (width < 0) width = m_device ? m_device->TextExtent(font, std::string_view(&c, 1)).cx : 0;
    return width;
}

bool CBidPrintLayout::BreakLongText(size_t i) {
    m_resumeStage = static_cast<int32_t>(i + 3);
    return false;
}

bool CBidPrintLayout::PrintLongText(const CAngebotList& list, int index) {
    std::string text = MergeBidderTexts(list, index);
    // resumeStage holds a character position as a 32-bit number.
    if (text.size() > static_cast<size_t>(INT32_MAX - 3)) text.resize(static_cast<size_t>(INT32_MAX - 3));
    const size_t start = m_resumeStage >= 2 ? static_cast<size_t>(m_resumeStage) - 2 : 0;
    if (!m_device) return true;

    const FontSpec font = MakeFont(9, false);
    const int tab = std::max(1, m_device->TextExtent(font, kEightBlanks).cx);
    const TextMetrics zero = MeasureText("0", 9, false).metrics;

    const std::string kindSub =
        Trim(list.GetText(index, Fld::Kind)) + Trim(list.GetText(index, Fld::SubKind));
    int startX = m_columns.text;
    if (kindSub != "L" && text.find("STLB-Bau") == std::string::npos &&
        (!list.GetText(index, Fld::SupplementIndex).empty() || kindSub == "BL" || kindSub == "BB"))
        startX = m_columns.text - tab;

    int x = startX;
    std::string buffer;
    int width = 0;        // width of the buffer: measured, plus the characters added since
    bool blank = false;   // the buffer holds a blank
    size_t lastBlank = 0; // text position of the buffer's last blank
    const auto clear = [&] {
        buffer.clear();
        width = 0;
        blank = false;
    };

    for (size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        switch (c) {
        case '\t':
            if (buffer.empty()) {
                x += tab;
            } else {
                TextSize drawn;
                DrawTextAt(buffer, x, m_y, 9, false, false, &drawn);
                clear();
                const long long end = static_cast<long long>(x) + drawn.cx;
                const long long stops = std::max(0LL, (end - startX + tab - 1) / tab);
                x = static_cast<int>(std::min<long long>(startX + stops * tab, INT_MAX));
            }
            if (x > m_columns.gp) {
                m_y += zero.height + ToDeviceY(10) + 2 * zero.externalLeading;
                x = startX;
                if (!Fits()) return BreakLongText(i);
            }
            break;
        case '\n':
            m_y = DrawTextAt(buffer, x, m_y, 9, false);
            if (!Fits()) return BreakLongText(i);
            clear();
            x = startX;
            break;
        case '\r':
            break;
        case ' ':
            buffer += c;
            blank = true;
            lastBlank = i;
            width = m_device->TextExtent(font, buffer).cx;
            if (width > m_columns.gp - x) {
                m_y = DrawTextAt(buffer, x, m_y, 9, false);
                if (!Fits()) return BreakLongText(i);
                clear();
                x = startX;
            }
            break;
        default: {
            buffer += c;
            width += CharWidth(font, c);
            // Lines end before the "% Zu/Ab" column: at the right edge of the GP column.
            const int room = m_columns.gp - x;
            if (width <= room) break;
            width = m_device->TextExtent(font, buffer).cx;
            if (width <= room) break;
            if (blank) {
                // The word that runs over the edge goes to the next line.
                const size_t cut = buffer.find_last_of(' ') + 1;
                std::string rest = buffer.substr(cut);
                buffer.resize(cut);
                m_y = DrawTextAt(buffer, x, m_y, 9, false);
                clear();
                x = startX;
                if (!Fits()) return BreakLongText(lastBlank);
                buffer = std::move(rest);
                width = m_device->TextExtent(font, buffer).cx;
            } else {
                if (x > startX) {
                    // A word after a tab that does not fit beside it starts the next line.
                    m_y += zero.height + ToDeviceY(10) + 2 * zero.externalLeading;
                    x = startX;
                    if (!Fits()) return BreakLongText(i - buffer.size());
                }
                if (width > m_columns.gp - x && buffer.size() > 1) {
                    // A word wider than the column is broken at the column's edge.
                    buffer.pop_back();
                    m_y = DrawTextAt(buffer, x, m_y, 9, false);
                    clear();
                    x = startX;
                    if (!Fits()) return BreakLongText(i - 1);
                    buffer += c;
                    width = CharWidth(font, c);
                }
            }
            break;
        }
        }
    }
    if (!buffer.empty()) m_y = DrawTextAt(buffer, x, m_y, 9, false);
    m_resumeStage = 0;
    return true;
}

std::string CBidPrintLayout::VatLabel(const BidVatRate& vat) {
    if (vat.kind == BidVatKind::Mixed) return "MWSt.";
    std::string rate;
    CNumberFormat().FormatNumber(CNumberFormat::RoundTo(vat.rate, 2), 2, rate);
    // Whole rates without decimals ("19"), others without trailing zeros ("7,5").
    while (!rate.empty() && rate.back() == '0')
        rate.pop_back();
    if (!rate.empty() && (rate.back() < '0' || rate.back() > '9')) rate.pop_back();
    return rate + "% MWSt.";
}

bool CBidPrintLayout::PrintTotals(const BidPrintSummary& summary, bool withRule, bool force) {
    if (!m_ready) return true;
    const int H = m_caps.pageHeight;
    const Measured underscore = MeasureText("_", 10, true);
    const long long needed = static_cast<long long>(m_y) + ToDeviceY(250) +
                             3LL * (underscore.metrics.height + 10 + 2 * underscore.metrics.externalLeading) +
                             H / 4;
    if (!force && needed > BottomLimit()) return false;

    if (withRule) {
        DrawLine(m_caps.offsetX, m_y, m_columns.gpEff, m_y, 2, PenStyle::Solid);
        m_y += ToDeviceY(150);
    }
    // Net and gross rounded to cents, the VAT as their difference, so that Netto + MWSt.
    // gives Brutto to the cent.
    const double net = CNumberFormat::RoundTo(summary.net, 2);
    const double gross = CNumberFormat::RoundTo(summary.gross, 2);
    const std::string lines[3][2] = {
        {"Gesamtsumme Netto", m_printPrices ? Money(net) : kTotalNotPrinted},
        {VatLabel(summary.vat), m_printPrices ? Money(gross - net) : kTotalNotPrinted},
        {"Gesamtsumme Brutto", m_printPrices ? Money(gross) : kTotalNotPrinted},
    };
    for (const auto& line : lines) {
        DrawTextAt(line[0], m_columns.text, m_y, 10, true);
        m_y = DrawTextAt(line[1], m_columns.gpEff, m_y, 10, true, true) + ToDeviceY(20);
    }

    // The signature block.
    m_y = MulDiv(H, 85, 100);
    DrawLine(m_columns.text, m_y, m_columns.wage, m_y, 2, PenStyle::Solid);
    DrawLine(m_columns.other, m_y, m_columns.gpEff, m_y, 2, PenStyle::Solid);
    m_y += ToDeviceY(20);
    DrawTextAt("Ort, Datum", m_columns.text, m_y, 8, false);
    DrawTextAt("Firmenstempel, Unterschrift", m_columns.other, m_y, 8, false);
    return true;
}

void CBidPrintLayout::PrintFooter(int pageNumber) {
    if (!m_ready) return;
    const int x0 = m_caps.offsetX;
    const int H = m_caps.pageHeight;
    const int f = MulDiv(H, 95, 100);
    const int right = m_caps.pageWidth - MulDiv(H, 2, 250);
    DrawLine(x0, f, right, f, 2, PenStyle::Solid);
    const int y = f + ToDeviceY(20);
    DrawTextAt("Seite " + std::to_string(pageNumber), right, y, 9, false, true);
    DrawTextAt(m_dateText, m_columns.percent, y, 9, false, true);
    DrawTextAt(m_bidderText, x0, y, 9, false);
}
