#pragma once

#include "common/io_result.h"
#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/xml_numbers.h"
#include "model/angebot_list.h"

#include <memory>
#include <string>

// Opens a GAEB DA XML bid into the record list, as the document's open command needs it:
// - an X83 with a saved bid of the same name beside it (".x84" in any case) is read
//   together with that bid, whose prices, bidder quantities, bidder texts and bidder are
//   merged in;
// - an X84 with its X83 beside it is opened the same way;
// - any other GAEB DA XML file is read on its own.
// The file the user opened is never written to. After a successful open the list has its
// sum lines, labels and totals, and Document() is the invitation the X84 writer builds on.
class CGaebXmlImport {
public:
    CIoResult Open(const std::string& path, CAngebotList& list);

    // The outcome of the last Open: the reason and line of a failure.
    const CIoResult& LastError() const { return m_result; }
    // The invitation of the last successful Open (null before and after a failure).
    CGaebXmlDocument* Document() { return m_document.get(); }
    // The saved bid that was merged in ("" when none).
    const std::string& BidPath() const { return m_bidPath; }
    // Titles of the two unit-price shares ("Sonstiges", "Lohn") when the LV splits prices.
    std::string shareTitle1;
    std::string shareTitle2;

private:
    // Empties the list and fails the open on a number the file should not hold.
    CIoResult RefuseNumber(CAngebotList& list, const std::string& path, const CXmlNumbers& numbers);

    CIoResult m_result;
    std::unique_ptr<CGaebXmlDocument> m_document;
    std::string m_bidPath;
};
