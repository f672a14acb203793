#include "platform/controls/ControlClasses.h"

namespace controls {

void registerControlClasses(windowing::WindowSystem& system) {
    struct Entry {
        const char* name;
        WNDPROC proc;
    };
    for (const Entry& e : {Entry{"Button", buttonProc}, Entry{"Static", staticProc}, Entry{"Edit", editProc},
                           Entry{"ComboBox", comboBoxProc}}) {
        windowing::WindowClass c;
        c.name = e.name;
        c.proc = e.proc;
        c.background = 0;  // controls paint their whole area themselves
        system.registerClass(c);
    }
    registerComboListClass(system);
}

}  // namespace controls
