#include "gaebxml/gaeb_xml_import.h"

#include <algorithm>

#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaebxml/gaeb_xml_mapper.h"
#include "gaebxml/markup_totals.h"
#include "gaebxml/x84_merge.h"
#include "model/calculation.h"

#include <filesystem>

namespace fs = std::filesystem;

CIoResult CGaebXmlImport::RefuseNumber(CAngebotList& list, const std::string& path,
                                       const CXmlNumbers& numbers) {
    list.RemoveAll();
    // The line is counted in the file as it is; the parser's offsets are those of its bytes.
    std::string bytes;
    int line = 0;
    const std::ptrdiff_t offset = numbers.FirstBad().offset_debug();
    if (offset >= 0 && ReadWholeFile(path, bytes) && static_cast<size_t>(offset) <= bytes.size())
        line = 1 + static_cast<int>(std::count(bytes.begin(), bytes.begin() + offset, '\n'));
    m_result = CIoResult::Failure(numbers.Reason(), line);
    return m_result;
}

CIoResult CGaebXmlImport::Open(const std::string& path, CAngebotList& list) {
    m_document.reset();
    m_bidPath.clear();
    shareTitle1.clear();
    shareTitle2.clear();

    std::string invitationPath = path;
    if (EndsWithNoCase(path, ".x84")) {
        const std::string invitation = FindFileBeside(path, ".X83");
        if (!invitation.empty()) {
            invitationPath = invitation;
            m_bidPath = path;
        }
    } else {
        m_bidPath = FindFileBeside(path, ".x84");
    }

    auto document = std::make_unique<CGaebXmlDocument>();
    m_result = document->Load(invitationPath);
    if (!m_result) {
        if (invitationPath != path) {
            const std::string name = Utf8ToCp1252(fs::path(invitationPath).filename().string());
            m_result =
                CIoResult::Failure("Die Angebotsaufforderung " + name + " dazu: " + m_result.Describe());
        }
        return m_result;
    }
    CGaebXmlDocument bid;
    if (!m_bidPath.empty()) {
        const CIoResult bidResult = bid.Load(m_bidPath);
        if (!bidResult) {
            // Reading the invitation alone would hide the saved prices; the user decides.
            const std::string name = Utf8ToCp1252(fs::path(m_bidPath).filename().string());
            m_result = CIoResult::Failure("Die gespeicherte Angebotsabgabe " + name +
                                          " daneben kann nicht gelesen werden: " + bidResult.Describe());
            return m_result;
        }
    }

    list.RemoveAll();
    CGaebXmlMapper mapper(list, *document);
    mapper.Map();
    if (!mapper.numbers.Ok()) return RefuseNumber(list, invitationPath, mapper.numbers);
    shareTitle1 = mapper.shareTitle1;
    shareTitle2 = mapper.shareTitle2;
    double vatRate = 0.0;
    if (!m_bidPath.empty()) {
        CX84Merge merge(list, *document);
        merge.Merge(bid);
        if (!merge.numbers.Ok()) return RefuseNumber(list, m_bidPath, merge.numbers);
        vatRate = merge.vatRate;
    }
    for (int i = 0; i < list.Count(); ++i)
        if (list.GetChar(i, Fld::Kind) == Kind::Position) RecalcPosition(list, i);
    UpdateMarkupTotals(list, *document);

    list.LinkDisplayChain();
    list.InsertGroupSums();
    list.BuildAllLabels();
    if (vatRate != 0.0)
        for (int i = 0; i < list.Count(); ++i)
            if (list.GetChar(i, Fld::Kind) == Kind::Lv) SetVatForAll(list, i, vatRate);
    CalcAll(list);
    m_document = std::move(document);
    m_result = CIoResult::Success();
    return m_result;
}
