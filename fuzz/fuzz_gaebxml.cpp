// The GAEB DA XML reader with the mapping, the steps of an open, and the X84 built from it.

#include "gaebxml/gaeb_xml_document.h"
#include "gaebxml/gaeb_xml_mapper.h"
#include "gaebxml/x84_writer.h"
#include "model/calculation.h"

#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CGaebXmlDocument document;
    if (!document.Parse(std::string(reinterpret_cast<const char*>(data), size))) return 0;
    CAngebotList list;
    CGaebXmlMapper mapper(list, document);
    mapper.Map();
    list.LinkDisplayChain();
    list.InsertGroupSums();
    list.BuildAllLabels();
    CalcAll(list);
    CX84Writer writer(list, document);
    std::string x84;
    writer.Build(x84);
    return 0;
}
