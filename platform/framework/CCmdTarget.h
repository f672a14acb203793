// CCmdTarget - the root of every class with a message map; it routes
// commands to the handler of its map (or its base classes' maps).
#pragma once

#include "platform/framework/AfxConstants.h"
#include "platform/framework/MessageMap.h"

class CCmdTarget {
public:
    CCmdTarget() = default;
    virtual ~CCmdTarget() = default;
    CCmdTarget(const CCmdTarget&) = delete;
    CCmdTarget& operator=(const CCmdTarget&) = delete;

    // Looks for a handler of command `nID` with notification `nCode` in the
    // maps, calls it and answers TRUE; FALSE when there is none.
    virtual BOOL OnCmdMsg(UINT nID, int nCode);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;
};

// Finds the entry of a map chain for (message, code, id); null when none.
const AFX_MSGMAP_ENTRY* AfxFindMessageEntry(const AFX_MSGMAP* map, UINT message, UINT code, UINT id);
