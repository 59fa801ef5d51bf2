#include "framework/CWnd.h"

#include <memory>
#include <unordered_map>
#include <vector>

#include "framework/Sys.h"

namespace {

struct HandleMap {
    std::unordered_map<HWND, CWnd*> bound;
    // Wrappers for handles the program never bound; they outlive their window (a
    // caller may still hold one), handle-less, in `retired`.
    std::unordered_map<HWND, std::unique_ptr<CWnd>> wrappers;
    std::vector<std::unique_ptr<CWnd>> retired;
};

// Never destroyed: window objects may be destroyed after static objects are.
HandleMap& Handles() {
    static HandleMap* map = new HandleMap;
    return *map;
}

void RetireWrapper(HWND handle) {
    HandleMap& map = Handles();
    const auto wrapper = map.wrappers.find(handle);
    if (wrapper == map.wrappers.end()) return;
    wrapper->second->m_hWnd = nullptr;
    map.retired.push_back(std::move(wrapper->second));
    map.wrappers.erase(wrapper);
}

}  // namespace

CWnd::~CWnd() { Detach(); }

CWnd* CWnd::FromHandle(HWND handle) {
    if (!handle) return nullptr;
    HandleMap& map = Handles();
    if (const auto bound = map.bound.find(handle); bound != map.bound.end()) return bound->second;
    std::unique_ptr<CWnd>& wrapper = map.wrappers[handle];
    if (!wrapper) {
        wrapper = std::make_unique<CWnd>();
        wrapper->m_hWnd = handle;
    }
    return wrapper.get();
}

BOOL CWnd::Attach(HWND handle) {
    if (m_hWnd || !handle || Handles().bound.count(handle)) return FALSE;
    RetireWrapper(handle);
    Handles().bound[handle] = this;
    m_hWnd = handle;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND handle = m_hWnd;
    if (!handle) return nullptr;
    HandleMap& map = Handles();
    if (const auto bound = map.bound.find(handle);
        bound != map.bound.end() && bound->second == this)
        map.bound.erase(bound);
    m_hWnd = nullptr;
    return handle;
}

void CWnd::ForgetHandle(HWND handle) {
    HandleMap& map = Handles();
    if (const auto bound = map.bound.find(handle); bound != map.bound.end()) {
        bound->second->m_hWnd = nullptr;
        map.bound.erase(bound);
    }
    RetireWrapper(handle);
}

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return sys::MessageBox(m_hWnd, text, caption, type);
}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
