#pragma once
// CMyPen and CMyBrush: the framework's pen and brush that delete their drawing object
// when they go, so a drawing step can make one on the stack and forget it.

#include "platform/gdi/GdiObjects.h"

class SUI_API CMyPen : public CPen {
public:
    using CPen::CPen;
    ~CMyPen() override { DeleteObject(); }
};

class SUI_API CMyBrush : public CBrush {
public:
    using CBrush::CBrush;
    ~CMyBrush() override { DeleteObject(); }
};
