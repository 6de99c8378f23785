#pragma once
// The samples of one trace: tagXY, CXYArray and CScrollData, a scrolling window of the
// most recent samples with its running sums and extremes.
//
// Element 0 is always the newest sample, the last element the oldest; the window keeps
// at most kCapacity samples. Entering a sample never moves the samples already held:
// they live oldest-first in one contiguous block that slides along (the block is moved
// once per kCapacity samples entered), and the indexed access reads it backwards. The
// extremes and the compensated sums of the window are put together from those of its
// older part, taken once per slide, and those of its newer part, kept as samples arrive;
// so they are exact however long a run lasts, and Add costs O(1) amortised.

#include <algorithm>
#include <cfloat>
#include <cstddef>
#include <limits>
#include <span>
#include <vector>

#include "platform/core/CArray.h"

struct tagXY {
    double x;
    double y;
};

// The framework's growable array of samples.
class SUI_API CXYArray : public CArray<tagXY, tagXY> {
public:
    ~CXYArray() override;
};

class SUI_API CScrollData : public CXYArray {
public:
    static constexpr int kCapacity = 32768;
    // The host's "no value" marker; a sample holding it is refused.
    static constexpr double kNoValue = DBL_MAX;

    CScrollData();
    ~CScrollData() override;
    CScrollData(const CScrollData&) = delete;
    CScrollData& operator=(const CScrollData&) = delete;

    // Enters one sample as the newest, dropping the oldest when the window is full.
    // False (and nothing changes) when x or y is the no-value marker, NaN or infinite.
    bool Add(double x, double y);

    // The samples held, newest first. An index outside 0 .. GetSize() - 1 raises the
    // invalid-argument exception.
    int GetSize() const;
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return GetSize() == 0; }
    const tagXY& GetAt(int index) const;
    const tagXY& operator[](int index) const { return GetAt(index); }
    // The same samples as one contiguous block, oldest first (so the newest is back()).
    // Valid until the next Add or RemoveAll.
    std::span<const tagXY> OldestFirst() const;

    // Drops every sample, frees the block and resets the sums and extremes to 0.
    void RemoveAll();

    // Sum of x divided by the number of samples; 0 when there are none. MeanY likewise.
    double MeanX() const;
    double MeanY() const;
    double SumX() const;
    double SumY() const;
    // The extremes of the samples held; 0 when there are none.
    double MinX() const;
    double MaxX() const;
    double MinY() const;
    double MaxY() const;

    // True when no held sample has a smaller x than the one before it: x never goes back,
    // so a walk by x can find ranges by searching instead of visiting every sample.
    bool IsXOrdered() const { return m_descents == 0; }

private:
    // The base's mutators would bypass the window and its statistics.
    using CXYArray::Add;
    using CXYArray::Append;
    using CXYArray::begin;
    using CXYArray::Copy;
    using CXYArray::ElementAt;
    using CXYArray::end;
    using CXYArray::FreeExtra;
    using CXYArray::GetData;
    using CXYArray::InsertAt;
    using CXYArray::RemoveAt;
    using CXYArray::SetAt;
    using CXYArray::SetAtGrow;
    using CXYArray::SetSize;

    // The extremes of a run of samples. Those of an empty run are infinite, so that any
    // sample (samples are finite) replaces them.
    struct Extremes {
        static constexpr double kNone = std::numeric_limits<double>::infinity();
        double minX = kNone;
        double maxX = -kNone;
        double minY = kNone;
        double maxY = -kNone;

        void Include(const tagXY& sample) {
            minX = std::min(minX, sample.x);
            maxX = std::max(maxX, sample.x);
            minY = std::min(minY, sample.y);
            maxY = std::max(maxY, sample.y);
        }
        void Include(const Extremes& other) {
            minX = std::min(minX, other.minX);
            maxX = std::max(maxX, other.maxX);
            minY = std::min(minY, other.minY);
            maxY = std::max(maxY, other.maxY);
        }
    };

    // A compensated sum: the rounding lost by each step is kept apart, exactly.
    class CompensatedSum {
    public:
        void Add(double value);
        double Value() const { return m_sum + m_compensation; }
        void Clear() { m_sum = m_compensation = 0.0; }

    private:
        double m_sum = 0.0;
        double m_compensation = 0.0;
    };

    // The statistics of one sample of the older part and of all later ones of that part.
    struct Tail {
        Extremes extremes;
        double sumX = 0.0;
        double sumY = 0.0;
    };

    size_t HeldCount() const { return m_block.size() - m_oldest; }
    void Restart();
    Tail OlderTail() const;
    Extremes WindowExtremes() const;

    // The samples held are m_block[m_oldest ..], oldest first, in two parts: the older part,
    // m_block[m_oldest .. m_tails.size()), whose statistics were taken from each sample to
    // its end when it was formed, and the newer part after it, whose statistics grow with
    // it. When the older part runs out, all samples held become the older part, at the front
    // of the block: so the block slides, and the statistics are taken anew, once per
    // kCapacity samples, and every sum is a compensated sum of at most kCapacity samples.
    std::vector<tagXY> m_block;
    size_t m_oldest = 0;
    std::vector<Tail> m_tails;
    Extremes m_newer;
    CompensatedSum m_newerSumX;
    CompensatedSum m_newerSumY;
    // Neighbouring held samples whose newer x is smaller than the older one.
    size_t m_descents = 0;
};
