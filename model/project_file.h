#pragma once

#include "common/io_result.h"
#include "model/angebot_list.h"

#include <string>
#include <string_view>
#include <vector>

// The project file (*.ovf): the records in display order, each as its 32 fields in
// field-number order. Doubles and integers little-endian; texts as a length (one byte,
// or 0xFF + 16 bits, or 0xFF 0xFFFF + 32 bits) followed by Windows-1252 bytes.

// Appends one record block.
void WriteRecord(const CAngebotList& list, int index, std::string& out);
// Appends the blocks of all records in tree order.
void SaveRecords(const CAngebotList& list, std::string& out);
// Writes the project file through a temporary file; on failure the old file is kept.
CIoResult SaveProjectFile(const CAngebotList& list, const std::string& path);

// Reads one record block from data[pos..] into the record; advances pos.
// False when the block runs past the end of the data or is inconsistent.
bool ReadRecord(CAngebotList& list, int index, std::string_view data, size_t& pos);
// Empties the list and reads the records of a project file. Reading stops at the first
// block that cannot be a record (unknown kind, a number that is not finite or too large);
// the list is then empty and the result names the record. A position's VAT rate outside
// 0..100 is set to 0 and noted in `notes`.
CIoResult LoadRecordsFromData(CAngebotList& list, std::string_view data,
                              std::vector<std::string>* notes = nullptr);
CIoResult LoadRecords(CAngebotList& list, const std::string& path, std::vector<std::string>* notes = nullptr);
