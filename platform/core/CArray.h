#pragma once
// CArray: the framework's growable array. Positions outside the array raise the
// invalid-argument exception, as the framework's checked accessors do.

#include <utility>
#include <vector>

#include "platform/core/CObject.h"
#include "platform/core/CString.h"
#include "platform/core/Exceptions.h"

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray : public CObject {
public:
    CArray() = default;
    CArray(const CArray&) = default;
    CArray& operator=(const CArray&) = default;

    int GetSize() const { return static_cast<int>(m_items.size()); }
    int GetCount() const { return GetSize(); }
    int GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }

    // growBy is accepted for compatibility; growth is the vector's.
    void SetSize(int newSize, int growBy = -1) {
        (void)growBy;
        if (newSize < 0) {
            AfxThrowInvalidArgException();
        }
        m_items.resize(static_cast<size_t>(newSize));
    }
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

    const TYPE& GetAt(int index) const { return m_items[Checked(index)]; }
    TYPE& ElementAt(int index) { return m_items[Checked(index)]; }
    void SetAt(int index, ARG_TYPE item) { m_items[Checked(index)] = item; }
    TYPE& operator[](int index) { return ElementAt(index); }
    const TYPE& operator[](int index) const { return GetAt(index); }
    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    // Returns the index of the new element.
    int Add(ARG_TYPE item) {
        m_items.push_back(item);
        return GetUpperBound();
    }
    // Grows the array when index lies beyond its end. item may be an element of this
    // array, so it is copied before growing moves the elements.
    void SetAtGrow(int index, ARG_TYPE item) {
        if (index < 0) {
            AfxThrowInvalidArgException();
        }
        if (index >= GetSize()) {
            TYPE copy(item);
            m_items.resize(static_cast<size_t>(index) + 1);
            m_items[static_cast<size_t>(index)] = std::move(copy);
        } else {
            m_items[static_cast<size_t>(index)] = item;
        }
    }
    // Inserts count (at least one) copies at index; an index beyond the end grows the
    // array first. item may be an element of this array.
    void InsertAt(int index, ARG_TYPE item, int count = 1) {
        if (index < 0 || count <= 0) {
            AfxThrowInvalidArgException();
        }
        const TYPE copy(item);
        if (index > GetSize()) {
            m_items.resize(static_cast<size_t>(index));
        }
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count), copy);
    }
    void RemoveAt(int index, int count = 1) {
        if (index < 0 || count < 0 || index > GetSize() || count > GetSize() - index) {
            AfxThrowInvalidArgException();
        }
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }
    // An array cannot be appended to itself, as in the framework.
    int Append(const CArray& other) {
        if (&other == this) {
            AfxThrowInvalidArgException();
        }
        const int first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const CArray& other) { m_items = other.m_items; }

    auto begin() { return m_items.begin(); }
    auto end() { return m_items.end(); }
    auto begin() const { return m_items.begin(); }
    auto end() const { return m_items.end(); }

private:
    size_t Checked(int index) const {
        if (index < 0 || index >= GetSize()) {
            AfxThrowInvalidArgException();
        }
        return static_cast<size_t>(index);
    }

    std::vector<TYPE> m_items;
};

class CStringArray : public CArray<CString, const CString&> {};
