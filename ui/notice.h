// A notice on the window thread that windows follow: every follower is called at
// each Tell, and at once with the last value told when it begins to follow, so a
// window made late starts in step. Following ends when its object goes.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

template <class Value>
class Notice {
public:
    using Follower = std::function<void(const Value&)>;

private:
    struct Entry {
        int id;
        std::shared_ptr<Follower> follower;
    };

public:

    class Following {
    public:
        Following() = default;
        Following(Following&&) noexcept = default;
        Following& operator=(Following&& other) noexcept {
            if (this != &other) {
                Stop();
                followers_ = std::move(other.followers_);
                id_ = other.id_;
            }
            return *this;
        }
        ~Following() { Stop(); }
        void Stop() {
            if (auto followers = followers_.lock())
                std::erase_if(*followers, [this](const Entry& entry) { return entry.id == id_; });
            followers_.reset();
        }

    private:
        friend class Notice;
        Following(std::weak_ptr<std::vector<Entry>> followers, int id) : followers_(std::move(followers)), id_(id) {}
        std::weak_ptr<std::vector<Entry>> followers_;
        int id_ = 0;
    };

    [[nodiscard]] Following Follow(Follower follower) {
        if (last_) follower(*last_);
        followers_->push_back({++lastId_, std::make_shared<Follower>(std::move(follower))});
        return Following(followers_, lastId_);
    }

    void Tell(const Value& value) {
        last_ = value;
        // A follower may stop following, or another begin, while the notice runs.
        const std::vector<Entry> now = *followers_;
        for (const Entry& entry : now) (*entry.follower)(value);
    }

private:
    std::shared_ptr<std::vector<Entry>> followers_ = std::make_shared<std::vector<Entry>>();
    std::optional<Value> last_;
    int lastId_ = 0;
};
