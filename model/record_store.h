#pragma once

#include "model/angebot.h"

#include <memory>
#include <utility>
#include <vector>

// The records of a list in blocks of 1024: a record keeps its address while the list grows,
// and 100,000 records cost 100 allocations instead of 100,000.
class CRecordStore {
public:
    int Size() const { return m_size; }
    CAngebot& operator[](int index) { return m_blocks[Block(index)][Slot(index)]; }
    const CAngebot& operator[](int index) const { return m_blocks[Block(index)][Slot(index)]; }

    CAngebot& Add() {
        if (Slot(m_size) == 0) m_blocks.push_back(std::make_unique<CAngebot[]>(kBlockSize));
        return (*this)[m_size++];
    }
    void Clear() {
        m_blocks.clear();
        m_size = 0;
    }
    // Hands the records over to `target` and leaves this store empty.
    void MoveTo(CRecordStore& target) {
        target.m_blocks = std::move(m_blocks);
        target.m_size = std::exchange(m_size, 0);
        m_blocks.clear();
    }

private:
    static constexpr int kBlockShift = 10;
    static constexpr int kBlockSize = 1 << kBlockShift;
    static size_t Block(int index) { return static_cast<size_t>(index) >> kBlockShift; }
    static size_t Slot(int index) { return static_cast<size_t>(index) & (kBlockSize - 1); }

    std::vector<std::unique_ptr<CAngebot[]>> m_blocks;
    int m_size = 0;
};
