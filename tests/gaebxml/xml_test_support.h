#pragma once

#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/gaeb_xml_mapper.h"
#include "model/angebot_list.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

// A GAEB DA XML file around the content of one BoQBody, with an optional BoQInfo body and
// the namespace of a version.
inline std::string GaebXml(const std::string& body, const std::string& boqInfo = std::string(),
                           const std::string& ns = "http://www.gaeb.de/GAEB_DA_XML/DA83/3.3",
                           const std::string& version = "3.3") {
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<GAEB xmlns=\"" + ns + "\">\n<GAEBInfo><Version>" +
           version +
           "</Version></GAEBInfo>\n<Award><DP>83</DP><AwardInfo><Cur>EUR</Cur></AwardInfo>\n<BoQ "
           "ID=\"B\"><BoQInfo>" +
           "<Name>LV</Name>" + boqInfo + "</BoQInfo>\n<BoQBody>" + body + "</BoQBody></BoQ></Award></GAEB>\n";
}

// An item with a short text and optional further content.
inline std::string XmlItem(const std::string& id, const std::string& rno, const std::string& text,
                           const std::string& content = std::string()) {
    return "<Item ID=\"" + id + "\" RNoPart=\"" + rno + "\">" + content +
           "<Description><CompleteText><OutlineText><OutlTxt><TextOutlTxt><p><span>" + text +
           "</span></p></TextOutlTxt></OutlTxt></OutlineText></CompleteText></Description></Item>";
}

inline std::string ReadText(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

inline std::filesystem::path FixturePath(const std::string& name) {
    return std::filesystem::path(ORVAK_TEST_DATA) / "gaebxml" / name;
}

// The running test's own folder.
inline std::filesystem::path TestFolder(const std::string&) {
    return testsupport::TestDir();
}

// The first record whose OZ, without surrounding blanks, is `oz`; -1 when none.
inline int RecordByOz(const CAngebotList& list, const std::string& oz) {
    for (int i = 0; i < list.Count(); ++i) {
        std::string text = list.GetText(i, Fld::OZ);
        const size_t first = text.find_first_not_of(' ');
        text = first == std::string::npos ? std::string() : text.substr(first);
        if (text == oz) return i;
    }
    return -1;
}

// Parses and maps a text; fails the test on a parse error.
struct MappedXml {
    CGaebXmlDocument document;
    CAngebotList list;
    std::string shareTitle1, shareTitle2;

    explicit MappedXml(const std::string& text) {
        const CIoResult result = document.Parse(text);
        EXPECT_TRUE(result.Ok()) << result.Describe();
        CGaebXmlMapper mapper(list, document);
        mapper.Map();
        shareTitle1 = mapper.shareTitle1;
        shareTitle2 = mapper.shareTitle2;
    }
};
