// The GAEB 2000 tag reader with the mapping and the steps of an open (group sums, labels,
// calculation).

#include "gaeb2000/gaeb_mapper.h"
#include "gaeb2000/gaeb_tag_tree.h"
#include "model/calculation.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    CGaebTagTree tree;
    if (!tree.ReadTagText(std::string_view(reinterpret_cast<const char*>(data), size))) return 0;
    CAngebotList list;
    CGaebMapper mapper(list, tree);
    if (!mapper.MapTree()) return 0;
    list.LinkDisplayChain();
    list.InsertGroupSums();
    list.BuildAllLabels();
    CalcAll(list);
    return 0;
}
