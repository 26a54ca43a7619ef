#pragma once

#include <cstddef>
#include <memory>
#include <utility>
#include <vector>

// Elements in blocks of 2^Shift: an element keeps its address while the store grows, and
// n elements cost n / 2^Shift allocations instead of n. Elements are only ever added at the
// end; the store is emptied as a whole.
template <typename T, int Shift> class CBlockStore {
public:
    int Size() const { return m_size; }
    T& operator[](int index) { return m_blocks[Block(index)][Slot(index)]; }
    const T& operator[](int index) const { return m_blocks[Block(index)][Slot(index)]; }

    // A new default element at the end.
    T& Add() {
        if (Slot(m_size) == 0) m_blocks.push_back(std::make_unique<T[]>(kBlockSize));
        return (*this)[m_size++];
    }
    void Clear() {
        m_blocks.clear();
        m_size = 0;
    }
    // Hands the elements over to `target` and leaves this store empty.
    void MoveTo(CBlockStore& target) {
        target.m_blocks = std::move(m_blocks);
        target.m_size = std::exchange(m_size, 0);
        m_blocks.clear();
    }

private:
    static constexpr int kBlockSize = 1 << Shift;
    static size_t Block(int index) { return static_cast<size_t>(index) >> Shift; }
    static size_t Slot(int index) { return static_cast<size_t>(index) & (kBlockSize - 1); }

    std::vector<std::unique_ptr<T[]>> m_blocks;
    int m_size = 0;
};
