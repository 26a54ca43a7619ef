#include "gaebxml/gaeb_xml_document.h"

#include "common/code_page.h"
#include "common/safe_file.h"
#include "common/text_util.h"
#include "gaebxml/xml_names.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>

namespace fs = std::filesystem;

namespace {

const char* const kCannotRead = "Die Datei kann nicht gelesen werden.";
const char* const kTooLarge = "Die Datei ist zu gro\xdf (mehr als 1 GB).";
const char* const kOutOfMemory = "Nicht gen\xfcgend Arbeitsspeicher, um die Datei zu lesen.";

// Line of a byte offset: 1 + the line feeds before it.
int LineAt(const std::string& bytes, size_t offset) {
    offset = std::min(offset, bytes.size());
    return 1 + static_cast<int>(
                   std::count(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

std::string StatusReason(const pugi::xml_parse_result& result) {
    switch (result.status) {
    case pugi::status_file_not_found:
    case pugi::status_io_error:
        return kCannotRead;
    case pugi::status_out_of_memory:
        return kOutOfMemory;
    case pugi::status_unrecognized_tag:
        return "XML-Markierung nicht erkannt (unzul\xe4ssiges Zeichen nach \x84<\x93)";
    case pugi::status_bad_pi:
        return "Fehlerhafte XML-Deklaration oder Verarbeitungsanweisung";
    case pugi::status_bad_comment:
        return "Fehlerhafter XML-Kommentar";
    case pugi::status_bad_cdata:
        return "Fehlerhafter CDATA-Abschnitt";
    case pugi::status_bad_doctype:
        return "Fehlerhafte Dokumenttyp-Deklaration (DOCTYPE)";
    case pugi::status_bad_pcdata:
        return "Fehlerhafter Text zwischen den XML-Elementen";
    case pugi::status_bad_start_element:
        return "Fehlerhafter Anfang eines XML-Elements";
    case pugi::status_bad_attribute:
        return "Fehlerhaftes Attribut eines XML-Elements";
    case pugi::status_bad_end_element:
        return "Fehlerhaftes Ende eines XML-Elements";
    case pugi::status_end_element_mismatch:
        return "XML-Element falsch geschlossen (das Ende passt nicht zum Anfang)";
    case pugi::status_no_document_element:
        return "Die Datei enth\xe4lt kein XML-Element.";
    default:
        return "Die Datei ist keine g\xfcltige XML-Datei.";
    }
}

// The reason of a parse failure; one in the last, unfinished piece of markup of the file
// means that the file ends too early (a truncated file).
std::string ParseReason(const pugi::xml_parse_result& result, const std::string& bytes) {
    const size_t offset = static_cast<size_t>(std::max<std::ptrdiff_t>(result.offset, 0));
    const size_t last = bytes.find_last_not_of(" \t\r\n");
    const bool atEnd =
        last == std::string::npos || offset >= last || bytes.find('>', offset) == std::string::npos;
    if (atEnd && result.status == pugi::status_end_element_mismatch)
        return "XML-Element nicht geschlossen (die Datei endet vorzeitig)";
    if (atEnd && result.status != pugi::status_no_document_element)
        return StatusReason(result) + " (die Datei endet vorzeitig)";
    return StatusReason(result);
}

// The value of encoding="..." in the XML declaration at the start of the bytes, lower case.
std::string DeclaredEncoding(std::string_view bytes) {
    if (bytes.substr(0, 5) != "<?xml") return std::string();
    const size_t end = bytes.find("?>");
    const std::string_view declaration = bytes.substr(0, end);
    const size_t key = declaration.find("encoding");
    if (key == std::string_view::npos) return std::string();
    size_t pos = declaration.find_first_of("\"'", key);
    if (pos == std::string_view::npos) return std::string();
    const char quote = declaration[pos];
    const size_t close = declaration.find(quote, pos + 1);
    if (close == std::string_view::npos) return std::string();
    std::string name(declaration.substr(pos + 1, close - pos - 1));
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return name;
}

bool IsSingleByteEncoding(const std::string& name) {
    for (const char* known : {"iso-8859-1", "iso-8859-15", "iso8859-1", "latin1", "latin-1", "windows-1252",
                              "cp1252", "us-ascii", "ascii"})
        if (name == known) return true;
    return false;
}

std::string_view SkipBlanks(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && IsSpace(text[i]))
        ++i;
    return text.substr(i);
}

} // namespace

CIoResult CGaebXmlDocument::Load(const std::string& path) {
    size_t length = 0;
    if (CIoResult checked = CheckInputFile(path, length, kMaxFileSize); !checked) return checked;
    // The parser works on the buffer the file is read into, without a copy; the bytes as
    // they were are read again only to count the line of a failure.
    char* buffer = static_cast<char*>(pugi::get_memory_allocation_function()(std::max<size_t>(length, 1)));
    if (!buffer) return CIoResult::Failure(kOutOfMemory);
    std::ifstream in(path, std::ios::binary);
    in.read(buffer, static_cast<std::streamsize>(length));
    if (!in || static_cast<size_t>(in.gcount()) != length) {
        pugi::get_memory_deallocation_function()(buffer);
        return CIoResult::Failure(kCannotRead);
    }
    return ParseOwned(buffer, length, [&path] {
        std::string bytes;
        ReadWholeFile(path, bytes);
        return bytes;
    });
}

CIoResult CGaebXmlDocument::Parse(const std::string& bytes) {
    if (bytes.size() > kMaxFileSize) return CIoResult::Failure(kTooLarge);
    char* buffer =
        static_cast<char*>(pugi::get_memory_allocation_function()(std::max<size_t>(bytes.size(), 1)));
    if (!buffer) return CIoResult::Failure(kOutOfMemory);
    std::copy(bytes.begin(), bytes.end(), buffer);
    return ParseOwned(buffer, bytes.size(), [&bytes] { return bytes; });
}

CIoResult CGaebXmlDocument::ParseOwned(char* buffer, size_t size,
                                       const std::function<std::string()>& original) {
    m_xml.reset();
    ClearLinks();
    m_namespace.clear();

    const std::string_view bytes(buffer, size);
    pugi::xml_encoding encoding = pugi::encoding_utf8;
    const bool utf16 = bytes.size() >= 2 && ((bytes[0] == '\xff' && bytes[1] == '\xfe') ||
                                             (bytes[0] == '\xfe' && bytes[1] == '\xff'));
    // A file in a single-byte encoding is parsed as UTF-8; its lines are counted in that form.
    std::string converted;
    if (utf16) {
        encoding = pugi::encoding_auto;
    } else if (bytes.substr(0, 3) != "\xef\xbb\xbf") {
        const std::string declared = DeclaredEncoding(bytes);
        if (IsSingleByteEncoding(declared)) {
            converted = Cp1252ToUtf8(bytes);
            pugi::get_memory_deallocation_function()(buffer);
            size = converted.size();
            buffer = static_cast<char*>(pugi::get_memory_allocation_function()(std::max<size_t>(size, 1)));
            if (!buffer) return CIoResult::Failure(kOutOfMemory);
            std::copy(converted.begin(), converted.end(), buffer);
        } else if (declared.rfind("utf-16", 0) == 0) {
            encoding = pugi::encoding_auto;
        } else if (!declared.empty() && declared != "utf-8" && declared != "utf8") {
            pugi::get_memory_deallocation_function()(buffer);
            return CIoResult::Failure("Die Zeichenkodierung \x84" + Utf8ToCp1252Nearest(declared) +
                                          "\x93 wird nicht unterst\xfctzt (m\xf6glich sind UTF-8, UTF-16, "
                                          "ISO-8859-1 und Windows-1252).",
                                      1);
        }
    }
    const auto lineAt = [&](std::ptrdiff_t offset) {
        if (utf16) return 0;
        return LineAt(converted.empty() ? original() : converted,
                      static_cast<size_t>(std::max<std::ptrdiff_t>(offset, 0)));
    };

    // Character references and the five predefined entities are expanded, nothing else:
    // pugixml never reads external entities and never expands declared ones. The document
    // type declaration is kept in the tree only to be looked at below. The document owns
    // the buffer from here on.
    const unsigned int options = pugi::parse_default | pugi::parse_ws_pcdata_single | pugi::parse_doctype;
    const pugi::xml_parse_result result = m_xml.load_buffer_inplace_own(buffer, size, options, encoding);
    CIoResult outcome;
    if (!result) {
        const std::string text = converted.empty() && !utf16 ? original() : converted;
        outcome = CIoResult::Failure(
            ParseReason(result, text),
            utf16 ? 0 : LineAt(text, static_cast<size_t>(std::max<std::ptrdiff_t>(result.offset, 0))));
    } else {
        pugi::xml_node root;
        for (pugi::xml_node node = m_xml.first_child(); node && outcome.Ok(); node = node.next_sibling()) {
            if (node.type() == pugi::node_doctype &&
                std::string_view(node.value()).find("ENTITY") != std::string_view::npos) {
                outcome =
                    CIoResult::Failure("Die Datei enth\xe4lt eine Dokumenttyp-Deklaration mit Entit\xe4ten; "
                                       "solche Dateien werden aus Sicherheitsgr\xfcnden nicht gelesen.",
                                       lineAt(node.offset_debug()));
                break;
            }
            if (node.type() == pugi::node_element && !root) root = node;
        }
        if (outcome.Ok() && !HasLocalName(root, "GAEB")) {
            outcome = CIoResult::Failure(
                "Die Datei ist keine GAEB-DA-XML-Datei: Das erste XML-Element hei\xdft \x84" +
                    Utf8ToCp1252Nearest(root ? root.name() : "") + "\x93 statt \x84GAEB\x93.",
                root ? lineAt(root.offset_debug()) : 0);
        }
        if (outcome.Ok()) {
            const std::string_view name = root.name();
            const size_t colon = name.find(':');
            const std::string attribute =
                colon == std::string_view::npos ? "xmlns" : "xmlns:" + std::string(name.substr(0, colon));
            m_namespace = Trim(root.attribute(attribute.c_str()).value());
        }
    }
    if (!outcome.Ok()) m_xml.reset();
    return outcome;
}

pugi::xml_node CGaebXmlDocument::Root() const {
    for (pugi::xml_node node = m_xml.first_child(); node; node = node.next_sibling())
        if (node.type() == pugi::node_element) return HasLocalName(node, "GAEB") ? node : pugi::xml_node();
    return pugi::xml_node();
}

std::string CGaebXmlDocument::Version() const {
    return Trim(PathNamed(Root(), "GAEBInfo/Version").child_value());
}

std::string CGaebXmlDocument::Phase() const {
    return Trim(PathNamed(Root(), "Award/DP").child_value());
}

void CGaebXmlDocument::Link(const pugi::xml_node& node, int record) {
    m_links[node.internal_object()] = record;
}

int CGaebXmlDocument::RecordOf(const pugi::xml_node& node) const {
    const auto it = m_links.find(node.internal_object());
    return it == m_links.end() ? -1 : it->second;
}

void CGaebXmlDocument::ClearLinks() {
    m_links.clear();
    m_markups.clear();
}

bool CGaebXmlDocument::LooksLikeGaebXml(std::string_view head) {
    std::string narrow;
    if (head.size() >= 2 &&
        ((head[0] == '\xff' && head[1] == '\xfe') || (head[0] == '\xfe' && head[1] == '\xff'))) {
        // UTF-16: the markup is ASCII, so the non-zero bytes are enough to look at.
        for (char c : head.substr(2))
            if (c != '\0') narrow.push_back(c);
        head = narrow;
    } else if (head.substr(0, 3) == "\xef\xbb\xbf") {
        head.remove_prefix(3);
    }
    for (;;) {
        head = SkipBlanks(head);
        if (head.substr(0, 4) == "<!--") {
            const size_t end = head.find("-->");
            if (end == std::string_view::npos) return false;
            head.remove_prefix(end + 3);
        } else if (head.substr(0, 2) == "<?") {
            const size_t end = head.find("?>");
            if (end == std::string_view::npos) return false;
            head.remove_prefix(end + 2);
        } else if (head.substr(0, 2) == "<!") {
            const size_t bracket = head.find('[');
            const size_t close = head.find('>');
            const size_t end = bracket < close ? head.find("]>", bracket) : close;
            if (end == std::string_view::npos) return false;
            head.remove_prefix(end + (bracket < close ? 2 : 1));
        } else {
            break;
        }
    }
    if (head.empty() || head[0] != '<') return false;
    size_t end = 1;
    while (end < head.size() && !IsSpace(head[end]) && head[end] != '>' && head[end] != '/')
        ++end;
    std::string_view name = head.substr(1, end - 1);
    const size_t colon = name.rfind(':');
    if (colon != std::string_view::npos) name.remove_prefix(colon + 1);
    return name == "GAEB";
}

bool CGaebXmlDocument::IsGaebXmlFile(const std::string& path) {
    size_t size = 0;
    if (!CheckInputFile(path, size)) return false;
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::string head(65536, '\0');
    in.read(head.data(), static_cast<std::streamsize>(head.size()));
    head.resize(static_cast<size_t>(in.gcount()));
    return LooksLikeGaebXml(head);
}
