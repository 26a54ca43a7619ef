#pragma once

#include "model/angebot_list.h"

#include <string>

// Appends a record with the usual tree fields set; returns its index.
inline int AddRec(CAngebotList& list, const std::string& kind, double id, double parent, int level,
                  const std::string& posType = "") {
    const int i = list.AddRecord();
    list.SetText(i, Fld::Kind, kind);
    list.SetDouble(i, Fld::RecordId, id);
    list.SetDouble(i, Fld::ParentId, parent);
    list.SetInt(i, Fld::Level, level);
    list.SetText(i, Fld::PosType, posType);
    return i;
}

// Appends a priced position.
inline int AddPos(CAngebotList& list, double id, double parent, int level, double quantity, double ep,
                  const std::string& flags = "", const std::string& posType = "N") {
    const int i = AddRec(list, "P", id, parent, level, posType);
    list.SetDouble(i, Fld::Quantity, quantity);
    list.SetDouble(i, Fld::UnitPrice, ep);
    list.SetText(i, Fld::Flags, flags);
    return i;
}
