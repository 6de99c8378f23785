#include "graph/CDataTrace.h"

#include "settings/DateTimeText.h"

CDataTrace::CDataTrace() = default;

CDataTrace::CDataTrace(const char* name) : m_strName(name) {}

CDataTrace::~CDataTrace() = default;

// The running seconds count of the date and time text is leap-aware, so samples either
// side of 29 February keep their order; it holds the milliseconds as its fraction.
double CurrentTimeAbscissa() {
    return GetLocalDateTimeCopy().secondsCount;
}
