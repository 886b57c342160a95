#include "ui/framework/CommandTarget.h"

namespace tb::ui {

void CommandTarget::setMessageMap(std::initializer_list<Route> routes) {
    m_routes.assign(routes.begin(), routes.end());
}

const Route* CommandTarget::find(Route::Kind kind, int id, Notify code) const {
    for (const Route& r : m_routes) {
        if (r.kind != kind || id < r.first || id > r.last) continue;
        if (kind == Route::Kind::Notify && r.code != code) continue;
        return &r;
    }
    return nullptr;
}

bool CommandTarget::SendCommand(int id) {
    if (const Route* r = find(Route::Kind::Command, id)) {
        NotifyInfo info{id};
        const auto handler = r->handler; // a handler may change the map
        handler(*this, info);
        return true;
    }
    if (CommandTarget* next = NextTarget(); next && next->SendCommand(id)) return true;
    return OnUnhandledCommand(id);
}

bool CommandTarget::SendNotify(NotifyInfo& info) {
    const Route* r = find(Route::Kind::Notify, info.id, info.code);
    if (!r) return false;
    const auto handler = r->handler;
    handler(*this, info);
    return true;
}

void CommandTarget::UpdateCmdUI(CmdUI& ui) {
    if (const Route* r = find(Route::Kind::Update, ui.id())) {
        r->update(*this, ui);
        ui.setHandled();
        return;
    }
    if (CommandTarget* next = NextTarget()) next->UpdateCmdUI(ui);
}

bool CommandTarget::RunKeyTable(int virtualKey) {
    const Route* r = find(Route::Kind::Key, virtualKey);
    if (!r) return false;
    if (r->handler) {
        NotifyInfo info{virtualKey};
        const auto handler = r->handler;
        handler(*this, info);
    } else {
        SendCommand(r->command);
    }
    return true;
}

} // namespace tb::ui
