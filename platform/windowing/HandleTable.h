// windowing::HandleTable - objects reached through opaque handles.
//
// A handle's value is a number from one process-wide counter that never
// repeats, so the handle of a destroyed object, or a number that never was
// a handle, finds nothing and is refused instead of dereferenced.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

namespace windowing {

// The next handle value; process-wide and never reused.
std::uintptr_t nextHandleValue();

template <class T>
class HandleTable {
public:
    template <class H>
    H add(std::unique_ptr<T> object) {
        std::uintptr_t value = nextHandleValue();
        objects_[value] = std::move(object);
        return reinterpret_cast<H>(value);
    }

    template <class H>
    T* get(H handle) const {
        auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
        return it == objects_.end() ? nullptr : it->second.get();
    }

    template <class H>
    std::unique_ptr<T> remove(H handle) {
        auto it = objects_.find(reinterpret_cast<std::uintptr_t>(handle));
        if (it == objects_.end()) return nullptr;
        std::unique_ptr<T> object = std::move(it->second);
        objects_.erase(it);
        return object;
    }

    template <class H>
    std::vector<H> handles() const {
        std::vector<H> result;
        for (const auto& [value, object] : objects_) result.push_back(reinterpret_cast<H>(value));
        return result;
    }

    std::size_t size() const { return objects_.size(); }
    void clear() { objects_.clear(); }

private:
    std::map<std::uintptr_t, std::unique_ptr<T>> objects_;
};

}  // namespace windowing
