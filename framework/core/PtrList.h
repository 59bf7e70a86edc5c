#pragma once

#include <cstddef>

// The framework's list of non-owned pointers. Items are added at the front, so a walk meets the
// most recent registration first. Walks tolerate the list changing under them: an item removed
// during a walk is skipped from then on (its node is unlinked once no walk is running), and an
// item added during a walk is not visited by it.
template <class T>
class PtrList {
public:
    PtrList() = default;
    PtrList(const PtrList&) = delete;
    PtrList& operator=(const PtrList&) = delete;
    ~PtrList() {
        while (head_) {
            Node* next = head_->next;
            delete head_;
            head_ = next;
        }
    }

    void PushFront(T* item) {
        if (!item) return;
        head_ = new Node{item, head_, nullptr};
        if (head_->next) head_->next->prev = head_;
        ++count_;
    }

    // Adds the item unless it is already listed; true when added.
    bool PushFrontUnique(T* item) {
        if (!item || Contains(item)) return false;
        PushFront(item);
        return true;
    }

    bool Contains(const T* item) const { return Find(item) != nullptr; }

    bool Remove(const T* item) {
        Node* node = Find(item);
        if (!node) return false;
        Drop(node);
        return true;
    }

    void Clear() {
        for (Node* n = head_; n;) {
            Node* next = n->next;
            if (n->item) Drop(n);
            n = next;
        }
    }

    bool IsEmpty() const { return count_ == 0; }
    size_t Count() const { return count_; }

    // Calls fn(item) from the newest item on while it answers true.
    template <class Fn>
    void ForEach(Fn fn) {
        ++walks_;
        for (Node* n = head_; n; n = n->next) {
            if (n->item && !fn(n->item)) break;
        }
        if (--walks_ == 0 && holes_) Purge();
    }

    // The newest item for which pred(item) holds, or null.
    template <class Pred>
    T* FindFirst(Pred pred) {
        T* found = nullptr;
        ForEach([&](T* item) {
            if (!pred(item)) return true;
            found = item;
            return false;
        });
        return found;
    }

private:
    struct Node {
        T* item;
        Node* next;
        Node* prev;
    };

    Node* Find(const T* item) const {
        if (!item) return nullptr;
        for (Node* n = head_; n; n = n->next) {
            if (n->item == item) return n;
        }
        return nullptr;
    }

    void Drop(Node* node) {
        --count_;
        if (walks_ > 0) {
            node->item = nullptr;
            holes_ = true;
            return;
        }
        Unlink(node);
    }

    void Unlink(Node* node) {
        if (node->prev) node->prev->next = node->next;
        else head_ = node->next;
        if (node->next) node->next->prev = node->prev;
        delete node;
    }

    void Purge() {
        holes_ = false;
        for (Node* n = head_; n;) {
            Node* next = n->next;
            if (!n->item) Unlink(n);
            n = next;
        }
    }

    Node* head_ = nullptr;
    size_t count_ = 0;
    int walks_ = 0;
    bool holes_ = false;
};
