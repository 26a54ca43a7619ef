#pragma once

#include "common/io_result.h"

#include <pugixml.hpp>

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

// A parsed GAEB DA XML file (X83 invitation, X84 bid) and what the mapping learned about it:
// which record each element became and which items a markup item adds up. The document
// opened by the user is kept for as long as the bid is open, because the X84 is built
// from it.
//
// The file is untrusted: it is parsed without any entity expansion beyond the five
// predefined ones and character references; a document type declaration that declares
// entities is rejected; files above kMaxFileSize are refused.
class CGaebXmlDocument {
public:
    static constexpr size_t kMaxFileSize = size_t{1} << 30;

    // Reads and parses the file. On failure the reason names the line where it applies.
    CIoResult Load(const std::string& path);
    // Parses a file's bytes (UTF-8 with or without byte order mark, UTF-16, or a declared
    // single-byte encoding such as ISO-8859-1 or Windows-1252).
    CIoResult Parse(const std::string& bytes);

    // The root element "GAEB" (any prefix); empty before a successful parse.
    pugi::xml_node Root() const;
    // The namespace of the root element ("" when it has none).
    const std::string& NamespaceUri() const { return m_namespace; }
    // GAEBInfo/Version ("3.3"), Award/DP ("83").
    std::string Version() const;
    std::string Phase() const;

    // Record links, set by the mapping.
    void Link(const pugi::xml_node& node, int record);
    // The record made from the element, -1 when none.
    int RecordOf(const pugi::xml_node& node) const;
    void ClearLinks();

    // A markup item and the records of the items it adds up.
    struct Markup {
        int record = -1;
        std::vector<int> basis;
    };
    std::vector<Markup>& Markups() { return m_markups; }
    const std::vector<Markup>& Markups() const { return m_markups; }

    // True when the bytes start like a GAEB DA XML file: after an optional byte order mark,
    // XML declaration, comments and processing instructions the first element is "GAEB"
    // (with or without prefix).
    static bool LooksLikeGaebXml(std::string_view head);
    // LooksLikeGaebXml on the first bytes of a file; false when it cannot be read.
    static bool IsGaebXmlFile(const std::string& path);

private:
    // Parses a buffer from pugixml's allocator, which the document takes over; `original`
    // gives the bytes as they were, for the line of a failure.
    CIoResult ParseOwned(char* buffer, size_t size, const std::function<std::string()>& original);

    pugi::xml_document m_xml;
    std::string m_namespace;
    std::unordered_map<const void*, int> m_links;
    std::vector<Markup> m_markups;
};
