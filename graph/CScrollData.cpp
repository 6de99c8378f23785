#include "graph/CScrollData.h"

#include <cmath>

#include "platform/core/Exceptions.h"

namespace {

// The older part holds kCapacity samples and the newer part grows to as many before they
// change places, so the block never holds more than two windows' worth.
constexpr size_t kBlockSize = 2 * static_cast<size_t>(CScrollData::kCapacity);
constexpr size_t kSmallestBlock = 64;

// The no-value marker is refused, and so are NaN and the infinities: one of them would
// poison the sums and the extremes for as long as it stays in the window.
bool IsValue(double value) {
    return value != CScrollData::kNoValue && std::isfinite(value);
}

}  // namespace

CXYArray::~CXYArray() = default;

// Knuth's two-sum gives the rounding error of each step exactly, without a branch. Inline
// and used in this file only: the class is exported, so an out-of-line member could be
// interposed and would not be inlined into Add.
inline void CScrollData::CompensatedSum::Add(double value) {
    const double sum = m_sum + value;
    const double valuePart = sum - m_sum;
    m_compensation += (m_sum - (sum - valuePart)) + (value - valuePart);
    m_sum = sum;
}

CScrollData::CScrollData() = default;

CScrollData::~CScrollData() = default;

bool CScrollData::Add(double x, double y) {
    if (!IsValue(x) || !IsValue(y)) {
        return false;
    }
    if (HeldCount() == static_cast<size_t>(kCapacity)) {
        if (m_oldest == m_tails.size()) {
            Restart();
        }
        m_descents -= m_block[m_oldest + 1].x < m_block[m_oldest].x ? 1 : 0;
        ++m_oldest;
    }
    m_descents += HeldCount() > 0 && x < m_block.back().x ? 1 : 0;
    if (m_block.size() == m_block.capacity()) {
        m_block.reserve(std::clamp(2 * m_block.capacity(), kSmallestBlock, kBlockSize));
    }
    m_block.push_back({x, y});
    m_newer.Include(m_block.back());
    m_newerSumX.Add(x);
    m_newerSumY.Add(y);
    return true;
}

// The older part has run out: every sample held becomes the older part, moved to the front
// of the block, and its statistics are taken from each sample to its end, newest first.
void CScrollData::Restart() {
    m_block.erase(m_block.begin(), m_block.begin() + static_cast<std::ptrdiff_t>(m_oldest));
    m_oldest = 0;
    m_tails.resize(m_block.size());
    Tail tail;
    CompensatedSum sumX;
    CompensatedSum sumY;
    for (size_t i = m_block.size(); i-- > 0;) {
        tail.extremes.Include(m_block[i]);
        sumX.Add(m_block[i].x);
        sumY.Add(m_block[i].y);
        tail.sumX = sumX.Value();
        tail.sumY = sumY.Value();
        m_tails[i] = tail;
    }
    m_newer = Extremes();
    m_newerSumX.Clear();
    m_newerSumY.Clear();
}

CScrollData::Tail CScrollData::OlderTail() const {
    return m_oldest < m_tails.size() ? m_tails[m_oldest] : Tail();
}

CScrollData::Extremes CScrollData::WindowExtremes() const {
    Extremes extremes = OlderTail().extremes;
    extremes.Include(m_newer);
    return extremes;
}

int CScrollData::GetSize() const {
    return static_cast<int>(HeldCount());
}

const tagXY& CScrollData::GetAt(int index) const {
    if (index < 0 || index >= GetSize()) {
        AfxThrowInvalidArgException();
    }
    return m_block[m_block.size() - 1 - static_cast<size_t>(index)];
}

std::span<const tagXY> CScrollData::OldestFirst() const {
    return {m_block.data() + m_oldest, HeldCount()};
}

void CScrollData::RemoveAll() {
    m_block = std::vector<tagXY>();
    m_oldest = 0;
    m_tails = std::vector<Tail>();
    m_newer = Extremes();
    m_newerSumX.Clear();
    m_newerSumY.Clear();
    m_descents = 0;
}

double CScrollData::MeanX() const {
    return IsEmpty() ? 0.0 : SumX() / GetSize();
}

double CScrollData::MeanY() const {
    return IsEmpty() ? 0.0 : SumY() / GetSize();
}

double CScrollData::SumX() const {
    return OlderTail().sumX + m_newerSumX.Value();
}

double CScrollData::SumY() const {
    return OlderTail().sumY + m_newerSumY.Value();
}

double CScrollData::MinX() const {
    return IsEmpty() ? 0.0 : WindowExtremes().minX;
}

double CScrollData::MaxX() const {
    return IsEmpty() ? 0.0 : WindowExtremes().maxX;
}

double CScrollData::MinY() const {
    return IsEmpty() ? 0.0 : WindowExtremes().minY;
}

double CScrollData::MaxY() const {
    return IsEmpty() ? 0.0 : WindowExtremes().maxY;
}
