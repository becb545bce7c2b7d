#pragma once

#include <functional>
#include <utility>

namespace tf {
namespace resource {

// A scope guard holding one clean-up task (a function object taking and returning
// nothing). The task runs once, when the guard ends, by whatever path its scope is left;
// a guard without a task does nothing. Replacing the task drops the old one unrun.
class LazyWholeLife {
  public:
    using Task = std::function<void()>;

    LazyWholeLife() = default;
    explicit LazyWholeLife(Task task) : task_(std::move(task)) {}
    virtual ~LazyWholeLife() {
        if (task_) {
            task_();
        }
    }

    LazyWholeLife(const LazyWholeLife&) = delete;
    LazyWholeLife& operator=(const LazyWholeLife&) = delete;

    void setTask(Task task) { task_ = std::move(task); }

  private:
    Task task_;
};

}  // namespace resource
}  // namespace tf
