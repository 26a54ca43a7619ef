#pragma once

#include "common/number_format.h"
#include "model/angebot_list.h"
#include "print/bid_print_summary.h"
#include "print/draw_device.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

// Lays the bid out on printer pages, one page at a time: a framed header with the column
// headings, one block per record (label, position number, short text, quantity line with
// prices, long text with the bidder's supplement texts), the totals with VAT and the
// signature block, and the footer. Lengths are given in 1/600 inch and converted with
// ToDeviceX/ToDeviceY, font sizes in points; both are scaled to the device's resolution in
// floating point. Every amount is rounded to cents before it is printed. A record that does
// not fit is continued on the next page where resumeStage says. The page loop
// (CPrintPageLoop) drives it.
class CBidPrintLayout {
public:
    // Column positions set by PrintHeader; all but the text column are right edges.
    struct Columns {
        int text = 0;
        int wage = 0;
        int other = 0;
        int ep = 0;
        int gp = 0;
        int percent = 0;
        int gpEff = 0;
    };

    struct Measured {
        TextSize size;
        TextMetrics metrics;
    };

    CBidPrintLayout();
    virtual ~CBidPrintLayout() = default;

    // The five settings of the print dialog. Texts are Windows-1252.
    bool PrintLongTexts() const { return m_printLongTexts; }
    void SetPrintLongTexts(bool on) { m_printLongTexts = on; }
    bool PrintPrices() const { return m_printPrices; }
    void SetPrintPrices(bool on) { m_printPrices = on; }
    const std::string& DateText() const { return m_dateText; }
    void SetDateText(const std::string& text) { m_dateText = text; }
    const std::string& BidderText() const { return m_bidderText; }
    void SetBidderText(const std::string& text) { m_bidderText = text; }
    const std::string& Currency() const { return m_currency; }
    void SetCurrency(const std::string& text) { m_currency = text; }
    // The open document's path; the header shows its file name and extension.
    void SetDocumentPath(const std::string& path);
    const std::string& DocumentName() const { return m_documentName; }
    const std::string& FontFace() const { return m_fontFace; }
    // The position numbers of the bid: the text column starts after the widest of them.
    void SetPositionNumbers(const std::vector<std::string>& ozs);

    // Today as "%d.%m.%Y".
    static std::string Today();

    // Where the next page resumes: resumeStage 0 starts a record from the top, 1 resumes
    // with its quantity line, 2 + n resumes its long text at character n. recordCursor is
    // the print-order position of the next record, -1 when there is nothing to print.
    int32_t ResumeStage() const { return m_resumeStage; }
    void SetResumeStage(int32_t stage) { m_resumeStage = stage; }
    int32_t RecordCursor() const { return m_recordCursor; }
    void SetRecordCursor(int32_t cursor) { m_recordCursor = cursor; }

    // Takes the device of the page and reads its metrics; y = top. False (not ready) when
    // the metrics cannot be obtained: then nothing is drawn and every record counts as done.
    bool BeginPage(IDrawDevice& device);
    bool Ready() const { return m_ready; }

    void PrintHeader(const std::string& title);
    // One record of the list; false when the page is full (resumeStage and recordCursor
    // tell where the next page goes on).
    bool PrintRecord(const CAngebotList& list, int index);
    // The long text with the bidder's supplement texts put between the apostrophes of their
    // places (CSupplements::MergeBidderTexts), "***Bietertext fehlt***" for a missing one.
    std::string MergeBidderTexts(const CAngebotList& list, int index) const;
    bool PrintLongText(const CAngebotList& list, int index);
    // The totals of the bid with VAT and the signature block; false when they do not fit,
    // unless force is set (a page that holds nothing else). Net, VAT and gross are printed
    // rounded to cents, the VAT as gross - net of the rounded figures, so that they add up.
    bool PrintTotals(const BidPrintSummary& summary, bool withRule, bool force = false);
    // "19% MWSt.", "7,5% MWSt.", "0% MWSt." without a rate, "MWSt." for several rates.
    static std::string VatLabel(const BidVatRate& vat);
    void PrintFooter(int pageNumber);

    // Drawing primitives on the current device.
    Measured MeasureText(const std::string& text, int points, bool bold);
    // Draws at (x, y), or ending at x when right-aligned; returns y + ToDeviceY(10) + line
    // height. size (optional) receives the text width and max(text height, line height).
    int DrawTextAt(const std::string& text, int x, int y, int points, bool bold, bool rightAligned = false,
                   TextSize* size = nullptr);
    void DrawLine(int x1, int y1, int x2, int y2, int width, PenStyle style);
    void DrawBox(const DeviceRect& rect, bool shadow);
    int ToDeviceX(int v) const { return ToDevice(v, m_caps.dpiX); }
    int ToDeviceY(int v) const { return ToDevice(v, m_caps.dpiY); }
    // The font of that size in points: its character height is dpi y x points / 72.
    FontSpec MakeFont(int points, bool bold) const;

    // Layout state, readable for the page loop and the tests.
    int Y() const { return m_y; }
    int BottomLimit() const;
    const Columns& ColumnPositions() const { return m_columns; }
    const DeviceCaps& Caps() const { return m_caps; }
    int RightEdge() const { return m_right; }

private:
    static int ToDevice(int v, int dpi);
    // A line fits when y plus the height of the last drawn text stays above the bottom limit.
    bool Fits() const;
    // Amounts rounded to cents, quantities to thousandths, then formatted with grouping.
    std::string Money(double value);
    std::string Quantity(double value);
    // Width of the widest position number at 9 points bold; measured once per font.
    int WidestOz();
    // Width of one character of the long-text font, measured once per page.
    int CharWidth(const FontSpec& font, char c);
    // Ends the page inside a long text; the next page resumes after character i.
    bool BreakLongText(size_t i);

    int32_t m_resumeStage = 0;
    int32_t m_recordCursor = -1;
    bool m_printLongTexts = true;
    bool m_printPrices = true;
    std::string m_dateText;
    std::string m_bidderText;
    std::string m_currency = "EUR";
    std::string m_documentName;
    std::vector<std::string> m_ozShapes; // position numbers with every digit as '0'
    FontSpec m_widestOzFont;             // the font WidestOz measured with
    int m_widestOz = -1;                 // -1: not measured
    IDrawDevice* m_device = nullptr;
    bool m_ready = false;
    DeviceCaps m_caps;
    int m_y = 0;
    int m_right = 0;
    int m_lastHeight = 0;
    Columns m_columns;
    std::string m_fontFace = "Arial";
    CNumberFormat m_format;
    std::array<int, 256> m_charWidths{};
};
