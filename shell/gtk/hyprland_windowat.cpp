// The window at the pointer on Hyprland: its socket answers j/cursorpos,
// j/monitors and j/clients, one connection each, read to the end. The
// pointer's position is Hyprland's own, as Xwayland's root coordinates
// differ from its layout on several monitors.
#include <sys/stat.h>

#include <cmath>
#include <set>

#include "shell/gtk/compositors.h"
#include "shell/gtk/unixsocket.h"

namespace {

WindowAt failed(const std::string& why)
{
    WindowAt answer;
    answer.kind = LookupFailed;
    answer.why = why;
    return answer;
}

const long long big = 1LL << 31;

bool pairOf(const Json* value, long long low, long long* first, long long* second)
{
    return value && value->type == Json::Array && value->items.size() == 2 &&
           jsonInteger(&value->items[0], low, big, first) &&
           jsonInteger(&value->items[1], low, big, second);
}

bool workspaceId(const Json* workspace, long long* id)
{
    return workspace && jsonInteger(workspace->member("id"), -big, big, id);
}

// Layers of the stacking, the top one first: the special workspace drawn
// over a monitor, a full-screen window, floating and pinned ones, tiled ones.
enum Layer { SpecialLayer, FullscreenLayer, FloatingLayer, TiledLayer, NoLayer };

}  // namespace

WindowAt hyprlandWindowIn(const Json& clients, const Json& monitors, int px, int py)
{
    if (clients.type != Json::Array || monitors.type != Json::Array)
        return failed("Hyprland's clients or monitors are not lists");
    std::set<long long> shown;    // each monitor's active workspace
    std::set<long long> special;  // special workspaces shown over them
    for (const Json& monitor : monitors.items) {
        long long id = 0;
        if (workspaceId(monitor.member("activeWorkspace"), &id))
            shown.insert(id);
        if (workspaceId(monitor.member("specialWorkspace"), &id) && id != 0)
            special.insert(id);
    }
    const Json* best = nullptr;
    Layer bestLayer = NoLayer;
    // The list runs from bottom to top: a later window of the same layer is above.
    for (const Json& client : clients.items) {
        long long x = 0, y = 0, width = 0, height = 0, workspace = 0;
        if (!pairOf(client.member("at"), -big, &x, &y) ||
            !pairOf(client.member("size"), 0, &width, &height))
            continue;
        if (!jsonFlag(client.member("mapped")) || jsonFlag(client.member("hidden")))
            continue;
        if (!(px >= x && py >= y && px - x < width && py - y < height))
            continue;
        bool onSpecial = workspaceId(client.member("workspace"), &workspace) && special.count(workspace);
        bool pinned = jsonFlag(client.member("pinned"));
        if (!onSpecial && !pinned && !shown.count(workspace))
            continue;
        Layer layer = onSpecial                               ? SpecialLayer
                      : jsonFlag(client.member("fullscreen")) ? FullscreenLayer
                      : pinned || jsonFlag(client.member("floating")) ? FloatingLayer
                                                                      : TiledLayer;
        if (layer <= bestLayer) {
            best = &client;
            bestLayer = layer;
        }
    }
    WindowAt found;
    found.kind = DesktopAt;
    if (!best)
        return found;
    long long pid = 0;
    if (jsonInteger(best->member("pid"), 1, 0x7fffffff, &pid))
        found.pid = static_cast<pid_t>(pid);
    if (jsonFlag(best->member("xwayland"))) {
        found.kind = X11WindowAt;
    } else {
        found.kind = NativeWindowAt;
        found.appId = jsonText(best->member("class"));
    }
    return found;
}

std::string hyprlandSocketPath(const char* runtimeDir, const char* signature)
{
    if (!signature || !*signature || std::string(signature).find('/') != std::string::npos)
        return std::string();
    std::string tail = std::string("/hypr/") + signature + "/.socket.sock";
    struct stat info;
    if (runtimeDir && *runtimeDir && stat((runtimeDir + tail).c_str(), &info) == 0)
        return runtimeDir + tail;
    if (stat(("/tmp" + tail).c_str(), &info) == 0)
        return "/tmp" + tail;
    return std::string();
}

WindowAt hyprlandAnswer(const std::string& socketPath, int timeoutMs)
{
    const char* requests[3] = {"j/cursorpos", "j/monitors", "j/clients"};
    Json replies[3];
    for (int i = 0; i < 3; ++i) {
        // Each question gets its share of the time, so that the whole stays bounded.
        std::string reply;
        std::string error;
        if (!askUnixSocket(socketPath, requests[i], nullptr, timeoutMs / 3, &reply, &error))
            return failed(std::string("Hyprland, ") + requests[i] + ": " + error);
        if (!parseJson(reply, &replies[i], &error))
            return failed(std::string("Hyprland's ") + requests[i] + " is not JSON: " + error);
    }
    const Json* x = replies[0].member("x");
    const Json* y = replies[0].member("y");
    // Whole pixels, though a compositor might give a fraction of one.
    if (!x || !y || x->type != Json::Number || y->type != Json::Number ||
        !(std::fabs(x->number) < big) || !(std::fabs(y->number) < big))
        return failed("Hyprland's pointer position has no x and y");
    return hyprlandWindowIn(replies[2], replies[1], static_cast<int>(std::floor(x->number)),
                            static_cast<int>(std::floor(y->number)));
}
