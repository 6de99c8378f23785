#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "platform/core/CArray.h"
#include "platform/core/CObject.h"
#include "platform/core/Exceptions.h"

namespace {

std::vector<int> Items(const CArray<int>& array) {
    return std::vector<int>(array.begin(), array.end());
}

CArray<int> Numbers(std::initializer_list<int> values) {
    CArray<int> array;
    for (const int value : values) {
        array.Add(value);
    }
    return array;
}

// A base, a class made without arguments and one that needs an argument.
class CShape : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};

class CCircle : public CShape {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};

class CSquare : public CShape {
public:
    explicit CSquare(double) {}
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};

const CRuntimeClass CShape::runtimeClass = plat::MakeRuntimeClass<CShape, CObject>("CShape");
const CRuntimeClass CCircle::runtimeClass = plat::MakeRuntimeClass<CCircle, CShape>("CCircle");
const CRuntimeClass CSquare::runtimeClass = plat::MakeRuntimeClass<CSquare, CShape>("CSquare");

}  // namespace

TEST(ArrayBounds, EveryCheckedOperationRejectsOutsidePositions) {
    CArray<int> array = Numbers({1, 2});
    for (const int index : {-1, 2, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(array.GetAt(index), CInvalidArgException);
        EXPECT_THROW(array.ElementAt(index), CInvalidArgException);
        EXPECT_THROW(array.SetAt(index, 9), CInvalidArgException);
        EXPECT_THROW(array[index], CInvalidArgException);
        EXPECT_THROW(array.RemoveAt(index), CInvalidArgException);
    }
    EXPECT_THROW(array.SetSize(-1), CInvalidArgException);
    EXPECT_THROW(array.SetAtGrow(-1, 1), CInvalidArgException);
    EXPECT_THROW(array.InsertAt(-1, 1), CInvalidArgException);
    EXPECT_THROW(array.InsertAt(0, 1, 0), CInvalidArgException);
    EXPECT_THROW(array.InsertAt(0, 1, -2), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(1, 2), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(0, -1), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(1, INT_MAX), CInvalidArgException);  // index + count overflows
    EXPECT_THROW(array.Append(array), CInvalidArgException);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 2}));
}

TEST(ArrayGrowth, InsertBeyondTheEndAndSetAtGrowFillWithDefaults) {
    CArray<int> array = Numbers({1, 4});
    array.InsertAt(1, 2, 2);
    array.InsertAt(4, 5);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 2, 2, 4, 5}));
    array.InsertAt(7, 7);
    array.SetAtGrow(9, 9);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 2, 2, 4, 5, 0, 0, 7, 0, 9}));
    array.RemoveAt(1, 4);
    array.SetSize(3);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 0, 0}));
    EXPECT_EQ(array.Append(Numbers({3, 4})), 3);
}

TEST(ArrayGrowth, ElementOfTheSameArrayIsCopiedBeforeGrowing) {
    CStringArray array;
    array.Add("first element, long enough to live on the heap");
    array.InsertAt(5, array[0]);
    array.InsertAt(0, array[5], 3);
    array.SetAtGrow(40, array[0]);
    EXPECT_EQ(array.GetSize(), 41);
    EXPECT_EQ(array[40], "first element, long enough to live on the heap");
    EXPECT_EQ(array[8], array[40]);
    EXPECT_TRUE(array[39].IsEmpty());
}

TEST(RuntimeClass, IsKindOfAndCreateObjectAcrossAHierarchy) {
    CSquare square(2.0);
    EXPECT_TRUE(CCircle().IsKindOf(RuntimeClass<CObject>()));  // two levels up
    EXPECT_FALSE(square.IsKindOf(RuntimeClass<CCircle>()));
    EXPECT_FALSE(square.IsKindOf(nullptr));
    EXPECT_FALSE(RuntimeClass<CObject>()->IsDerivedFrom(RuntimeClass<CShape>()));

    for (const CRuntimeClass* cls :
         {RuntimeClass<CCircle>(), RuntimeClass<CInvalidArgException>(),
          RuntimeClass<COleException>(), RuntimeClass<CFileException>()}) {
        SCOPED_TRACE(cls->m_lpszClassName);
        const std::unique_ptr<CObject> made(cls->CreateObject());
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->GetRuntimeClass(), cls);
    }
    EXPECT_EQ(RuntimeClass<CSquare>()->CreateObject(), nullptr);  // needs a side
    EXPECT_EQ(RuntimeClass<CObject>()->CreateObject(), nullptr);
}

TEST(Exceptions, MessagesNameTheCauseAndNeverReadPastTheirTables) {
    EXPECT_EQ(COleException(static_cast<SCODE>(0x80004005)).GetErrorMessage(),
              "OLE error 80004005.");
    for (const int cause : {-1, 15, 1000}) {
        SCOPED_TRACE(cause);
        EXPECT_EQ(CFileException(cause).GetErrorMessage(), "An unspecified error occurred.");
    }
}
