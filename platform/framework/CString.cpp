#include "platform/framework/CString.h"

#include "platform/framework/Afx.h"

#include <vector>

BOOL CString::LoadString(UINT nID) {
    // Grow the buffer until the whole string fits.
    std::vector<char> buffer(256);
    for (;;) {
        int length = ::LoadStringA(AfxGetResourceHandle(), nID, buffer.data(), static_cast<int>(buffer.size()));
        if (length < static_cast<int>(buffer.size()) - 1) {
            text_.assign(buffer.data(), static_cast<std::size_t>(length));
            return length > 0 ? TRUE : FALSE;
        }
        buffer.resize(buffer.size() * 2);
    }
}
