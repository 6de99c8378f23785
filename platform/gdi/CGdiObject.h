#pragma once
// CGdiObject: the framework's owner of one drawing-object handle, and the Win32 calls on
// handles. Destroying the owner deletes its object (stock objects excepted).

#include "platform/core/CObject.h"
#include "platform/gdi/GdiTypes.h"

class SUI_API CGdiObject : public CObject {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    CGdiObject() = default;
    ~CGdiObject() override;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject = nullptr;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return m_hObject; }  // NOLINT: the framework converts

    // FALSE when this object already owns a handle or the handle is not live.
    BOOL Attach(HGDIOBJ handle);
    HGDIOBJ Detach();
    // Deletes the owned object; FALSE when there is none.
    BOOL DeleteObject();
    BOOL CreateStockObject(int index);
    // The bytes of the object's record (LOGPEN, LOGBRUSH, BITMAP, LOGFONTA or the region
    // box) copied into buffer; with a null buffer, the record's size.
    int GetObject(int count, LPVOID buffer) const;
    UINT GetObjectType() const;
    BOOL UnrealizeObject() { return m_hObject != nullptr; }

    // The framework object attached to a handle, or a temporary one that lives as long
    // as the drawing object does. nullptr for a handle that is not live.
    static CGdiObject* FromHandle(HGDIOBJ handle);
};

SUI_API HGDIOBJ GetStockObject(int index);
SUI_API BOOL DeleteObject(HGDIOBJ handle);
SUI_API DWORD GetObjectType(HGDIOBJ handle);
SUI_API int GetObjectA(HGDIOBJ handle, int count, LPVOID buffer);
SUI_API HPEN CreatePen(int style, int width, COLORREF colour);
SUI_API HPEN CreatePenIndirect(const LOGPEN* logPen);
SUI_API HBRUSH CreateSolidBrush(COLORREF colour);
SUI_API HBRUSH CreateHatchBrush(int hatch, COLORREF colour);
SUI_API HBRUSH CreateBrushIndirect(const LOGBRUSH* logBrush);
SUI_API HRGN CreateRectRgn(int left, int top, int right, int bottom);
SUI_API HFONT CreateFontIndirectA(const LOGFONTA* logFont);
