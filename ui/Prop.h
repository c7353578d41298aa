// A property in the manner of a form designer: reads like a plain value, and every
// assignment runs the owner's hook so the control can repaint or apply rules
// (`BNext->Enabled = false;`, `if (Label->Caption == "x")`, `int w = Form.Width;`).
#pragma once

#include <functional>
#include <utility>

namespace ui {

template <class T>
class Prop {
public:
    explicit Prop(T initial = T{}, std::function<void()> changed = {})
        : value_(std::move(initial)), changed_(std::move(changed)) {}
    Prop(const Prop&) = delete;
    Prop& operator=(const Prop& other) { return *this = other.value_; }

    Prop& operator=(const T& value) {
        value_ = value;
        if (changed_) changed_();
        return *this;
    }
    // Lets string properties take literals and other convertible values.
    template <class U, class = std::enable_if_t<std::is_constructible_v<T, U&&> &&
                                                 !std::is_same_v<std::decay_t<U>, T> &&
                                                 !std::is_same_v<std::decay_t<U>, Prop>>>
    Prop& operator=(U&& value) {
        return *this = T(std::forward<U>(value));
    }

    operator const T&() const { return value_; }
    const T& get() const { return value_; }
    const T* operator->() const { return &value_; }

    // Sets the value without running the hook (for the owner's own bookkeeping).
    void SetQuietly(const T& value) { value_ = value; }
    void OnChange(std::function<void()> changed) { changed_ = std::move(changed); }

    template <class U>
    bool operator==(const U& other) const { return value_ == other; }
    template <class U>
    bool operator!=(const U& other) const { return !(value_ == other); }

private:
    T value_;
    std::function<void()> changed_;
};

}  // namespace ui
