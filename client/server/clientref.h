#pragma once
// What a server method returns (an object, a reader, a stream) belongs to the
// TServerMethods1Client that made the call and lives until that client is
// freed. ClientRef is the caller's non-owning view of such a result: it stays
// valid across further calls on the same client and reads as null once the
// client is gone. Copy what you need (Kopyala, a dataset copy) before that.

#include <memory>
#include <stdexcept>

template <class T> class ClientRef {
public:
  ClientRef() = default;
  explicit ClientRef(const std::shared_ptr<T> &owned) : ref_(owned) {}

  // Null when the server returned no object or the client has been freed.
  T *get() const { return ref_.lock().get(); }
  explicit operator bool() const { return get() != nullptr; }
  T *operator->() const
  {
    T *p = get();
    if (!p)
      throw std::logic_error("server result used without an object or after its client was freed");
    return p;
  }
  T &operator*() const { return *operator->(); }

private:
  std::weak_ptr<T> ref_;
};
