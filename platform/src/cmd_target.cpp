// Run-time classes, message-map lookup, command routing and update handlers.

#include "zel/platform/message_map.h"

#include "zel/platform/menu.h"
#include "zel/platform/wnd.h"

const CRuntimeClass CObject::classCObject = {"CObject", nullptr, nullptr};
const CRuntimeClass* CObject::GetRuntimeClass() const {
    return &classCObject;
}

BOOL CRuntimeClass::IsDerivedFrom(const CRuntimeClass* base) const {
    for (const CRuntimeClass* c = this; c != nullptr; c = c->m_pBaseClass) {
        if (c == base) {
            return TRUE;
        }
    }
    return FALSE;
}

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const MessageMap* CCmdTarget::GetThisMessageMap() {
    static const MessageMapEntry entries[] = {{0, 0, 0, 0, nullptr}};
    static const MessageMap map = {nullptr, entries};
    return &map;
}

const MessageMapEntry* CCmdTarget::FindEntry(UINT message, UINT code, UINT id) const {
    for (const MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base != nullptr ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->invoke != nullptr; ++e) {
            if (e->message != message) {
                continue;
            }
            const bool isCommand = message == WM_COMMAND || message == WM_REFLECT_BASE + WM_COMMAND;
            if (!isCommand || (e->code == code && id >= e->idFirst && id <= e->idLast)) {
                return e;
            }
        }
        if (map->base == nullptr) {
            break;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT id, int code, void* extra) {
    const UINT lowId = WORD(id);
    for (const MessageMap* map = GetMessageMap(); map != nullptr;
         map = map->base != nullptr ? map->base() : nullptr) {
        for (const MessageMapEntry* e = map->entries; e->invoke != nullptr; ++e) {
            if (e->message != WM_COMMAND || e->code != UINT(code) || lowId < e->idFirst ||
                lowId > e->idLast) {
                continue;
            }
            LRESULT result = 0;
            if (code == CN_UPDATE_COMMAND_UI) {
                auto* ui = static_cast<CCmdUI*>(extra);
                ui->m_bContinueRouting = FALSE;
                e->invoke(this, lowId, reinterpret_cast<LPARAM>(ui), &result);
                return !ui->m_bContinueRouting;
            }
            if (extra == reinterpret_cast<void*>(std::intptr_t(-1))) {
                return TRUE; // only asking whether a handler exists
            }
            if (e->invoke(this, lowId, reinterpret_cast<LPARAM>(extra), &result)) {
                return TRUE;
            }
        }
        if (map->base == nullptr) {
            break;
        }
    }
    return FALSE;
}

void CCmdUI::Enable(BOOL on) {
    m_bEnabled = on;
    m_bEnableChanged = TRUE;
    if (m_pMenu != nullptr) {
        m_pMenu->EnableMenuItem(m_nIndex, MF_BYPOSITION | (on ? MF_ENABLED : MF_GRAYED));
    } else if (m_pOther != nullptr) {
        m_pOther->EnableWindow(on);
    }
}

void CCmdUI::SetCheck(int check) {
    m_nCheck = check;
    if (m_pMenu != nullptr) {
        m_pMenu->CheckMenuItem(m_nIndex, MF_BYPOSITION | (check != 0 ? MF_CHECKED : MF_UNCHECKED));
    }
}

void CCmdUI::SetText(LPCTSTR text) {
    if (m_pMenu != nullptr) {
        const UINT state = m_pMenu->GetMenuState(m_nIndex, MF_BYPOSITION);
        m_pMenu->ModifyMenu(
            m_nIndex, MF_BYPOSITION | MF_STRING | (state & (MF_GRAYED | MF_CHECKED)), m_nID, text);
    } else if (m_pOther != nullptr) {
        m_pOther->SetWindowText(text);
    }
}

BOOL CCmdUI::DoUpdate(CCmdTarget* target, BOOL disableIfNoHandler) {
    m_bEnableChanged = FALSE;
    const BOOL handled = target->OnCmdMsg(m_nID, CN_UPDATE_COMMAND_UI, this);
    if (!handled && disableIfNoHandler && !m_bEnableChanged) {
        // An item whose command nobody handles is disabled.
        const BOOL has =
            target->OnCmdMsg(m_nID, CN_COMMAND, reinterpret_cast<void*>(std::intptr_t(-1)));
        Enable(has);
    }
    return handled;
}
