#include "platform/core/Exceptions.h"

const CRuntimeClass CException::runtimeClass =
    plat::MakeRuntimeClass<CException, CObject>("CException");
const CRuntimeClass CInvalidArgException::runtimeClass =
    plat::MakeRuntimeClass<CInvalidArgException, CException>("CInvalidArgException");
const CRuntimeClass COleException::runtimeClass =
    plat::MakeRuntimeClass<COleException, CException>("COleException");
const CRuntimeClass CFileException::runtimeClass =
    plat::MakeRuntimeClass<CFileException, CException>("CFileException");

CString COleException::GetErrorMessage() const {
    switch (m_sc) {
        case DISP_E_OVERFLOW:
            return "Out of present range.";
        case DISP_E_TYPEMISMATCH:
            return "Type mismatch.";
        case E_INVALIDARG:
            return "The parameter is incorrect.";
        default: {
            CString text;
            text.Format("OLE error %08X.", static_cast<unsigned>(m_sc));
            return text;
        }
    }
}

CString CFileException::GetErrorMessage() const {
    static const char* const kCauses[] = {
        "No error occurred.",
        "An unspecified error occurred.",
        "The file could not be located.",
        "All or part of the path is invalid.",
        "Too many open files.",
        "Access to the file was denied.",
        "An invalid file handle was used.",
        "The current working directory cannot be removed.",
        "There are no more directory entries.",
        "Error trying to set the file pointer.",
        "A hardware I/O error occurred.",
        "A sharing violation occurred.",
        "A locking violation occurred.",
        "The disk is full.",
        "The end of file was reached.",
    };
    CString text = (m_cause >= 0 && m_cause <= endOfFile) ? kCauses[m_cause] : kCauses[1];
    if (!m_strFileName.IsEmpty()) {
        text += " (";
        text += m_strFileName;
        text += ")";
    }
    return text;
}

void AfxThrowInvalidArgException() {
    throw CInvalidArgException();
}
void AfxThrowOleException(SCODE sc) {
    throw COleException(sc);
}
void AfxThrowFileException(int cause, LONG osError, const char* fileName) {
    throw CFileException(cause, osError, fileName);
}
