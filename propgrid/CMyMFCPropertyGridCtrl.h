#pragma once
// CMyMFCPropertyGridCtrl: the colour grid with numbered status groups. A trigger or a
// warning shows its group's ball for one 100 ms tick of a window timer (id group + 1);
// a time-out stays until it is switched off.

#include "propgrid/CMFCColourPropertyGridCtrl.h"

class SUI_API CMyMFCPropertyGridCtrl : public CMFCColourPropertyGridCtrl {
public:
    static const CRuntimeClass runtimeClass;
    const CRuntimeClass* GetRuntimeClass() const override { return &runtimeClass; }

    static constexpr UINT kFlashPeriodMs = 100;

    CMyMFCPropertyGridCtrl();

    // The first status group numbered nGroup, searched depth first through groups only
    // (folded groups included); null when there is none.
    CMFCPropertyGridProperty* FindGroup(int nGroup);
    CMFCPropertyGridProperty* FindGroup(CMFCPropertyGridProperty* pProp, int nGroup);

    void Trigger(int nGroup);
    void Warning(int nGroup);
    void Timeout(int nGroup, bool bOn);

    // Draws a row; a status group also gets its value cell drawn, where its ball goes.
    int OnDrawProperty(CDC* pDC, CMFCPropertyGridProperty* pProp) const override;

protected:
    void OnTimer(UINT_PTR nIDEvent) override;

private:
    void Flash(int nGroup, bool bWarning);
};
