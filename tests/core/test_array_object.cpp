#include <gtest/gtest.h>

#include <climits>
#include <memory>
#include <vector>

#include "platform/core/CArray.h"
#include "platform/core/CObject.h"
#include "platform/core/Exceptions.h"

namespace {

template <class T>
std::vector<T> Items(const CArray<T>& array) {
    return std::vector<T>(array.begin(), array.end());
}

CArray<int> Numbers(std::initializer_list<int> values) {
    CArray<int> array;
    for (const int value : values) {
        array.Add(value);
    }
    return array;
}

// A small hierarchy: an abstract base, a class made without arguments, one that needs an
// argument and a grandchild.
class CShape : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    virtual int Corners() const = 0;
};

class CCircle : public CShape {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    int Corners() const override { return 0; }
};

class CSquare : public CShape {
public:
    explicit CSquare(double side) : m_side(side) {}
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
    int Corners() const override { return 4; }
    double m_side;
};

class CUnitCircle : public CCircle {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }
};

const CRuntimeClass CShape::runtimeClass = plat::MakeRuntimeClass<CShape, CObject>("CShape");
const CRuntimeClass CCircle::runtimeClass = plat::MakeRuntimeClass<CCircle, CShape>("CCircle");
const CRuntimeClass CSquare::runtimeClass = plat::MakeRuntimeClass<CSquare, CShape>("CSquare");
const CRuntimeClass CUnitCircle::runtimeClass =
    plat::MakeRuntimeClass<CUnitCircle, CCircle>("CUnitCircle");

}  // namespace

// --- CArray ------------------------------------------------------------------------------

TEST(ArrayBounds, EveryCheckedAccessorRejectsOutsidePositions) {
    CArray<int> array = Numbers({1, 2});
    const CArray<int>& constant = array;
    for (const int index : {-1, 2, INT_MIN, INT_MAX}) {
        SCOPED_TRACE(index);
        EXPECT_THROW(array.GetAt(index), CInvalidArgException);
        EXPECT_THROW(array.ElementAt(index), CInvalidArgException);
        EXPECT_THROW(array.SetAt(index, 9), CInvalidArgException);
        EXPECT_THROW(array[index], CInvalidArgException);
        EXPECT_THROW(constant[index], CInvalidArgException);
    }
    EXPECT_THROW(array.SetSize(-1), CInvalidArgException);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 2}));
    EXPECT_THROW(CArray<int>().GetAt(0), CInvalidArgException);
}

TEST(ArraySize, SetSizeAddAndBounds) {
    CArray<int> array;
    EXPECT_TRUE(array.IsEmpty());
    EXPECT_EQ(array.GetUpperBound(), -1);
    EXPECT_EQ(array.Add(5), 0);
    EXPECT_EQ(array.Add(6), 1);
    array.SetSize(4);
    EXPECT_EQ(Items(array), (std::vector<int>{5, 6, 0, 0}));
    EXPECT_EQ(array.GetCount(), 4);
    array.SetSize(1);
    EXPECT_EQ(Items(array), (std::vector<int>{5}));
    array.RemoveAll();
    EXPECT_EQ(array.GetSize(), 0);
}

TEST(ArrayInsert, MiddleEndBeyondAndCopies) {
    CArray<int> array = Numbers({1, 4});
    array.InsertAt(1, 2);
    array.InsertAt(2, 3);
    array.InsertAt(4, 5);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 2, 3, 4, 5}));
    array.InsertAt(0, 0, 3);
    EXPECT_EQ(Items(array), (std::vector<int>{0, 0, 0, 1, 2, 3, 4, 5}));

    CArray<int> sparse = Numbers({1});
    sparse.InsertAt(3, 7, 2);  // beyond the end: grows with defaults first
    EXPECT_EQ(Items(sparse), (std::vector<int>{1, 0, 0, 7, 7}));

    EXPECT_THROW(sparse.InsertAt(-1, 1), CInvalidArgException);
    EXPECT_THROW(sparse.InsertAt(0, 1, 0), CInvalidArgException);
    EXPECT_THROW(sparse.InsertAt(0, 1, -2), CInvalidArgException);
    EXPECT_EQ(sparse.GetSize(), 5);
}

TEST(ArrayInsert, ElementOfTheSameArrayIsCopiedBeforeGrowing) {
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

TEST(ArrayRemove, RangesMustLieInside) {
    CArray<int> array = Numbers({0, 1, 2, 3, 4});
    array.RemoveAt(1, 2);
    EXPECT_EQ(Items(array), (std::vector<int>{0, 3, 4}));
    array.RemoveAt(2);
    EXPECT_EQ(Items(array), (std::vector<int>{0, 3}));
    array.RemoveAt(2, 0);
    EXPECT_EQ(array.GetSize(), 2);

    EXPECT_THROW(array.RemoveAt(1, 2), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(2), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(-1), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(0, -1), CInvalidArgException);
    EXPECT_THROW(array.RemoveAt(1, INT_MAX), CInvalidArgException);  // index + count overflows
    EXPECT_THROW(array.RemoveAt(INT_MAX, 1), CInvalidArgException);
    EXPECT_EQ(Items(array), (std::vector<int>{0, 3}));
}

TEST(ArraySetAtGrow, GrowsWithDefaultsAndRejectsNegative) {
    CArray<int> array = Numbers({1});
    array.SetAtGrow(0, 9);
    array.SetAtGrow(3, 4);
    EXPECT_EQ(Items(array), (std::vector<int>{9, 0, 0, 4}));
    EXPECT_THROW(array.SetAtGrow(-1, 1), CInvalidArgException);
    EXPECT_EQ(array.GetSize(), 4);
}

TEST(ArrayAppend, ReturnsFirstNewIndexAndRefusesItself) {
    CArray<int> array = Numbers({1, 2});
    const CArray<int> tail = Numbers({3, 4});
    EXPECT_EQ(array.Append(tail), 2);
    EXPECT_EQ(Items(array), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_THROW(array.Append(array), CInvalidArgException);
    EXPECT_EQ(array.GetSize(), 4);

    CArray<int> copy;
    copy.Copy(tail);
    EXPECT_EQ(Items(copy), (std::vector<int>{3, 4}));
}

TEST(StringArray, HoldsIndependentCopies) {
    CStringArray names;
    CString name("12\xB0");
    names.Add(name);
    name += "30'";
    names.Add(name);
    names[0] += "!";
    EXPECT_EQ(names[0], "12\xB0!");
    EXPECT_EQ(names[1],
              "12\xB0"
              "30'");
    EXPECT_TRUE(names.IsKindOf(RuntimeClass<CObject>()));
}

// --- Run-time classes ---------------------------------------------------------------------

TEST(RuntimeClass, IsKindOfFollowsTheBaseChain) {
    const CCircle circle;
    const CUnitCircle unit;
    const CSquare square(2.0);

    EXPECT_TRUE(circle.IsKindOf(RuntimeClass<CCircle>()));
    EXPECT_TRUE(circle.IsKindOf(RuntimeClass<CShape>()));
    EXPECT_TRUE(circle.IsKindOf(RuntimeClass<CObject>()));
    EXPECT_FALSE(circle.IsKindOf(RuntimeClass<CUnitCircle>()));
    EXPECT_FALSE(circle.IsKindOf(RuntimeClass<CSquare>()));

    EXPECT_TRUE(unit.IsKindOf(RuntimeClass<CCircle>()));
    EXPECT_TRUE(unit.IsKindOf(RuntimeClass<CShape>()));
    EXPECT_FALSE(square.IsKindOf(RuntimeClass<CCircle>()));
    EXPECT_FALSE(square.IsKindOf(nullptr));

    EXPECT_FALSE(RuntimeClass<CObject>()->IsDerivedFrom(RuntimeClass<CShape>()));
    EXPECT_TRUE(RuntimeClass<CUnitCircle>()->IsDerivedFrom(RuntimeClass<CObject>()));
}

TEST(RuntimeClass, NamesSizesAndDownCasts) {
    EXPECT_STREQ(RuntimeClass<CSquare>()->m_lpszClassName, "CSquare");
    EXPECT_EQ(RuntimeClass<CSquare>()->m_nObjectSize, static_cast<int>(sizeof(CSquare)));
    EXPECT_EQ(RuntimeClass<CUnitCircle>()->m_pBaseClass, RuntimeClass<CCircle>());

    CUnitCircle unit;
    CSquare square(1.0);
    EXPECT_EQ(DynamicDownCast<CCircle>(&unit), &unit);
    EXPECT_EQ(DynamicDownCast<CCircle>(&square), nullptr);
    EXPECT_EQ(DynamicDownCast<CShape>(static_cast<CObject*>(&square)), &square);
    EXPECT_EQ(DynamicDownCast<CShape>(nullptr), nullptr);
}

TEST(RuntimeClass, CreateObjectOnlyForClassesMadeWithoutArguments) {
    const std::unique_ptr<CObject> circle(RuntimeClass<CCircle>()->CreateObject());
    ASSERT_NE(circle, nullptr);
    EXPECT_EQ(circle->GetRuntimeClass(), RuntimeClass<CCircle>());
    EXPECT_EQ(DynamicDownCast<CShape>(circle.get())->Corners(), 0);

    const std::unique_ptr<CObject> unit(RuntimeClass<CUnitCircle>()->CreateObject());
    ASSERT_NE(unit, nullptr);
    EXPECT_EQ(unit->GetRuntimeClass(), RuntimeClass<CUnitCircle>());

    EXPECT_EQ(RuntimeClass<CShape>()->CreateObject(), nullptr);   // abstract
    EXPECT_EQ(RuntimeClass<CSquare>()->CreateObject(), nullptr);  // needs a side
    EXPECT_EQ(RuntimeClass<CObject>()->CreateObject(), nullptr);
}

TEST(RuntimeClass, FromNameKnowsCObject) {
    EXPECT_EQ(CRuntimeClass::FromName("CObject"), RuntimeClass<CObject>());
    EXPECT_EQ(CRuntimeClass::FromName(nullptr), nullptr);
    EXPECT_EQ(CRuntimeClass::FromName("CNoSuchClass"), nullptr);
}

// --- Exceptions -----------------------------------------------------------------------

TEST(Exceptions, ThrowHelpersRaiseTheirClasses) {
    EXPECT_THROW(AfxThrowInvalidArgException(), CInvalidArgException);
    try {
        AfxThrowOleException(DISP_E_OVERFLOW);
    } catch (const COleException& e) {
        EXPECT_EQ(e.m_sc, DISP_E_OVERFLOW);
    }
    try {
        AfxThrowFileException(CFileException::fileNotFound, 2, "C:\\MySettings\\a.ini");
        FAIL() << "no exception";
    } catch (const CException& e) {
        const auto* file = dynamic_cast<const CFileException*>(&e);
        ASSERT_NE(file, nullptr);
        EXPECT_EQ(file->m_cause, CFileException::fileNotFound);
        EXPECT_EQ(file->m_lOsError, 2);
        EXPECT_EQ(file->m_strFileName, "C:\\MySettings\\a.ini");
    }
}

TEST(Exceptions, RunTimeClassesDescendFromCException) {
    const CRuntimeClass* const classes[] = {RuntimeClass<CInvalidArgException>(),
                                            RuntimeClass<COleException>(),
                                            RuntimeClass<CFileException>()};
    for (const CRuntimeClass* cls : classes) {
        SCOPED_TRACE(cls->m_lpszClassName);
        EXPECT_TRUE(cls->IsDerivedFrom(RuntimeClass<CException>()));
        const std::unique_ptr<CObject> made(cls->CreateObject());
        ASSERT_NE(made, nullptr);
        EXPECT_EQ(made->GetRuntimeClass(), cls);
    }
    EXPECT_TRUE(CInvalidArgException().IsKindOf(RuntimeClass<CException>()));
    EXPECT_FALSE(CInvalidArgException().IsKindOf(RuntimeClass<COleException>()));
}

TEST(Exceptions, MessagesNameTheFailure) {
    EXPECT_EQ(CInvalidArgException().GetErrorMessage(), "Invalid argument.");
    EXPECT_EQ(COleException(DISP_E_OVERFLOW).GetErrorMessage(), "Out of present range.");
    EXPECT_EQ(COleException(DISP_E_TYPEMISMATCH).GetErrorMessage(), "Type mismatch.");
    EXPECT_EQ(COleException(E_INVALIDARG).GetErrorMessage(), "The parameter is incorrect.");
    EXPECT_EQ(COleException(static_cast<SCODE>(0x80004005)).GetErrorMessage(),
              "OLE error 80004005.");

    EXPECT_EQ(CFileException(CFileException::diskFull).GetErrorMessage(), "The disk is full.");
    EXPECT_EQ(CFileException(CFileException::endOfFile).GetErrorMessage(),
              "The end of file was reached.");
    EXPECT_EQ(
        CFileException(CFileException::accessDenied, 5, "/x/Units_Mode.INI").GetErrorMessage(),
        "Access to the file was denied. (/x/Units_Mode.INI)");
    // Causes outside the table read as the generic failure, never past the table.
    for (const int cause : {-1, 15, 1000}) {
        SCOPED_TRACE(cause);
        EXPECT_EQ(CFileException(cause).GetErrorMessage(), "An unspecified error occurred.");
    }
}
