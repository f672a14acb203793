#include "tests/e2e/harness/XProperty.h"

namespace e2e {

std::vector<long> readLongProperty(Display* display, Window window, const char* name, Atom type) {
    std::vector<long> values;
    Atom actualType;
    int actualFormat;
    unsigned long count;
    unsigned long remaining;
    unsigned char* data = nullptr;
    const Atom property = XInternAtom(display, name, False);
    if (XGetWindowProperty(display, window, property, 0, 1 << 20, False, type, &actualType, &actualFormat, &count,
                           &remaining, &data) == Success &&
        data && actualFormat == 32) {
        const long* items = reinterpret_cast<const long*>(data);
        values.assign(items, items + count);
    }
    if (data) XFree(data);
    return values;
}

}  // namespace e2e
