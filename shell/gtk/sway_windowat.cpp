// The window at a point on sway (and other i3-IPC compositors): its layout
// tree over $SWAYSOCK, walked as sway stacks it. sway's layout coordinates
// are Xwayland's root coordinates, so the game's own point serves.
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "shell/gtk/compositors.h"
#include "shell/gtk/unixsocket.h"

namespace {

const char magic[] = "i3-ipc";
const size_t magicSize = 6;
const size_t headerSize = magicSize + 8;  // magic, payload length, message type
const uint32_t getTree = 4;

struct Rect {
    long long x = 0, y = 0, width = 0, height = 0;
    bool holds(long long px, long long py) const
    {
        return px >= x && py >= y && px - x < width && py - y < height;
    }
};

bool rectOf(const Json* value, Rect* rect)
{
    const long long big = 1LL << 31;
    return value && jsonInteger(value->member("x"), -big, big, &rect->x) &&
           jsonInteger(value->member("y"), -big, big, &rect->y) &&
           jsonInteger(value->member("width"), 0, big, &rect->width) &&
           jsonInteger(value->member("height"), 0, big, &rect->height);
}

const Json* children(const Json& node, const char* which)
{
    const Json* list = node.member(which);
    return list && list->type == Json::Array ? list : nullptr;
}

// A view (a window of a program) rather than a container: sway says which
// shell made it.
bool isView(const Json& node)
{
    return node.member("shell") && node.member("shell")->type == Json::String;
}

// The frame a drop counts for: the view's rectangle and its title bar above
// it (deco_rect has the title bar's height; its place is the parent's).
bool frameHolds(const Json& view, long long x, long long y)
{
    Rect rect;
    if (!rectOf(view.member("rect"), &rect))
        return false;
    Rect deco;
    if (rectOf(view.member("deco_rect"), &deco) && deco.height > 0) {
        rect.y -= deco.height;
        rect.height += deco.height;
    }
    return rect.holds(x, y);
}

WindowAt answerOf(const Json& view)
{
    WindowAt found;
    long long pid = 0;
    if (!jsonInteger(view.member("pid"), 1, 0x7fffffff, &pid))
        pid = 0;
    found.pid = static_cast<pid_t>(pid);
    if (jsonText(view.member("shell")) == "xwayland") {
        found.kind = X11WindowAt;
        long long window = 0;
        if (jsonInteger(view.member("window"), 1, 0xffffffffLL, &window))
            found.xWindow = static_cast<unsigned long>(window);
    } else {
        found.kind = NativeWindowAt;
        found.appId = jsonText(view.member("app_id"));
    }
    return found;
}

// The visible view of this subtree at the point, the last floating one
// first; depth is bounded by the reader already.
const Json* viewAt(const Json& node, long long x, long long y)
{
    if (isView(node))
        return jsonFlag(node.member("visible")) && frameHolds(node, x, y) ? &node : nullptr;
    if (const Json* floating = children(node, "floating_nodes"))
        for (size_t i = floating->items.size(); i-- > 0;)
            if (const Json* view = viewAt(floating->items[i], x, y))
                return view;
    if (const Json* tiled = children(node, "nodes"))
        for (const Json& child : tiled->items)
            if (const Json* view = viewAt(child, x, y))
                return view;
    return nullptr;
}

// The container shown full-screen in this subtree at mode (1: on its
// workspace, 2: over every output), if any.
const Json* fullscreenIn(const Json& node, long long mode)
{
    long long own = 0;
    if (node.type == Json::Object && jsonInteger(node.member("fullscreen_mode"), 0, 2, &own) &&
        own == mode && jsonText(node.member("type")) != "workspace")
        return &node;
    for (const char* which : {"nodes", "floating_nodes"})
        if (const Json* list = children(node, which))
            for (const Json& child : list->items)
                if (const Json* found = fullscreenIn(child, mode))
                    return found;
    return nullptr;
}

const Json* namedChild(const Json& node, const std::string& name)
{
    if (const Json* list = children(node, "nodes"))
        for (const Json& child : list->items)
            if (jsonText(child.member("name")) == name)
                return &child;
    return nullptr;
}

long i3ReplyLength(const std::string& soFar)
{
    if (std::memcmp(soFar.data(), magic, soFar.size() < magicSize ? soFar.size() : magicSize) != 0)
        return -1;
    if (soFar.size() < headerSize)
        return 0;
    uint32_t length = 0;
    std::memcpy(&length, soFar.data() + magicSize, 4);
    if (length > maxReplyBytes - headerSize)
        return -1;
    return static_cast<long>(headerSize + length);
}

WindowAt failed(const std::string& why)
{
    WindowAt answer;
    answer.kind = LookupFailed;
    answer.why = why;
    return answer;
}

}  // namespace

WindowAt swayWindowInTree(const Json& tree, int px, int py)
{
    long long x = px;
    long long y = py;
    const Json* outputs = children(tree, "nodes");
    if (jsonText(tree.member("type")) != "root" || !outputs)
        return failed("the tree has no root");
    WindowAt nothing;
    nothing.kind = DesktopAt;
    // A window full-screen over every output hides everything else.
    if (const Json* global = fullscreenIn(tree, 2)) {
        const Json* view = viewAt(*global, x, y);
        return view ? answerOf(*view) : nothing;
    }
    for (const Json& output : outputs->items) {
        Rect area;
        std::string name = jsonText(output.member("name"));
        if (name == "__i3" || !rectOf(output.member("rect"), &area) || !area.holds(x, y))
            continue;  // __i3 holds the scratchpad, shown on no output
        const Json* workspace = namedChild(output, jsonText(output.member("current_workspace")));
        if (!workspace)
            return nothing;
        if (const Json* full = fullscreenIn(*workspace, 1)) {
            const Json* view = viewAt(*full, x, y);
            return view ? answerOf(*view) : nothing;
        }
        const Json* view = viewAt(*workspace, x, y);
        return view ? answerOf(*view) : nothing;
    }
    return nothing;  // between outputs: no output shows anything there
}

// Asks the socket for the tree; false with the reason when it cannot.
static bool askTree(const std::string& socketPath, int timeoutMs, Json* tree, std::string* error)
{
    std::string request(magic, magicSize);
    uint32_t header[2] = {0, getTree};
    request.append(reinterpret_cast<const char*>(header), sizeof header);
    std::string reply;
    if (!askUnixSocket(socketPath, request, i3ReplyLength, timeoutMs, &reply, error)) {
        *error = "sway: " + *error;
        return false;
    }
    uint32_t type = 0;
    std::memcpy(&type, reply.data() + magicSize + 4, 4);
    if (type != getTree) {
        *error = "sway answered another question (" + std::to_string(type) + ")";
        return false;
    }
    if (!parseJson(reply.substr(headerSize), tree, error)) {
        *error = "sway's tree is not JSON: " + *error;
        return false;
    }
    return true;
}

WindowAt swayAnswer(const std::string& socketPath, int x, int y, int timeoutMs)
{
    Json tree;
    std::string error;
    if (!askTree(socketPath, timeoutMs, &tree, &error))
        return failed(error);
    return swayWindowInTree(tree, x, y);
}

// The focused view, looked for below the node; the tree's depth is bounded
// by the reader.
static const Json* focusedView(const Json& node)
{
    if (isView(node))
        return jsonFlag(node.member("focused")) && jsonFlag(node.member("visible")) ? &node : nullptr;
    for (const char* which : {"nodes", "floating_nodes"})
        if (const Json* list = children(node, which))
            for (const Json& child : list->items)
                if (const Json* view = focusedView(child))
                    return view;
    return nullptr;
}

WindowAt swayFocusedInTree(const Json& tree)
{
    if (jsonText(tree.member("type")) != "root" || !children(tree, "nodes"))
        return failed("the tree has no root");
    if (const Json* view = focusedView(tree))
        return answerOf(*view);
    WindowAt nothing;
    nothing.kind = DesktopAt;  // the focus is on an empty workspace
    return nothing;
}

WindowAt swayFocusedAnswer(const std::string& socketPath, int timeoutMs)
{
    Json tree;
    std::string error;
    if (!askTree(socketPath, timeoutMs, &tree, &error))
        return failed(error);
    return swayFocusedInTree(tree);
}
