#pragma once

#include "model/angebot_list.h"

#include <string>

// The project file (*.ovf): the records in display order, each as its 32 fields in
// field-number order. Doubles and integers little-endian; texts as a length (one byte,
// or 0xFF + 16 bits, or 0xFF 0xFFFF + 32 bits) followed by Windows-1252 bytes.

// Appends one record block.
void WriteRecord(const CAngebotList& list, int index, std::string& out);
// Appends the blocks of all records in tree order.
void SaveRecords(const CAngebotList& list, std::string& out);
// Writes the project file through a temporary file; false (and the old file kept) on failure.
bool SaveProjectFile(const CAngebotList& list, const std::string& path, std::string* error = nullptr);

// Reads one record block from data[pos..] into the record; advances pos.
// False when the block runs past the end of the data or is inconsistent.
bool ReadRecord(CAngebotList& list, int index, const std::string& data, size_t& pos);
// Empties the list and reads the file; the number of records, or -1 (list left empty).
int LoadRecords(CAngebotList& list, const std::string& path);
