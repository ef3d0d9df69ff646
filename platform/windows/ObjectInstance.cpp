#include <array>
#include <utility>

#include "platform/base/Exceptions.h"
#include "platform/windows/WinUser.h"

namespace xe::win {

namespace {

// A window procedure must be a plain function so that it can be stored with
// SetWindowLongPtr and chained with CallWindowProc. Objects get one each from a fixed
// pool of functions that differ only in the slot they call.
constexpr size_t MaxObjectInstances = 512;

struct TSlot {
    TWndMethod Method;
    bool Used = false;
    bool FreePending = false;
    int Running = 0;
};

std::array<TSlot, MaxObjectInstances> GSlots;

LRESULT CallSlot(size_t index, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    TSlot& slot = GSlots[index];
    if (!slot.Used || slot.FreePending || !slot.Method)
        return DefWindowProc(hwnd, msg, wParam, lParam);
    // A slot freed while its method runs (an object destroyed by its own message) is
    // released when the outermost call returns.
    struct TRunning {
        TSlot& Slot;
        explicit TRunning(TSlot& s)
            : Slot(s)
        {
            ++Slot.Running;
        }
        ~TRunning()
        {
            if (--Slot.Running == 0 && Slot.FreePending) {
                Slot.Method = nullptr;
                Slot.Used = false;
                Slot.FreePending = false;
            }
        }
    } running(slot);
    return slot.Method(hwnd, msg, wParam, lParam);
}

template <size_t N> LRESULT Trampoline(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return CallSlot(N, hwnd, msg, wParam, lParam);
}

template <size_t... I> constexpr std::array<WNDPROC, sizeof...(I)> MakeTable(std::index_sequence<I...>)
{
    return { &Trampoline<I>... };
}

constexpr std::array<WNDPROC, MaxObjectInstances> GTable
    = MakeTable(std::make_index_sequence<MaxObjectInstances>());

} // namespace

WNDPROC MakeObjectInstance(TWndMethod method)
{
    for (size_t i = 0; i < MaxObjectInstances; ++i) {
        TSlot& slot = GSlots[i];
        if (slot.Used)
            continue;
        slot.Method = std::move(method);
        slot.Used = true;
        slot.FreePending = false;
        return GTable[i];
    }
    throw base::EOutOfResources("Too many window procedure instances");
}

void FreeObjectInstance(WNDPROC instance)
{
    for (size_t i = 0; i < MaxObjectInstances; ++i) {
        if (GTable[i] != instance)
            continue;
        TSlot& slot = GSlots[i];
        if (slot.Running > 0)
            slot.FreePending = true;
        else {
            slot.Method = nullptr;
            slot.Used = false;
        }
        return;
    }
}

} // namespace xe::win
