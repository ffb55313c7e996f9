#pragma once
// Makes a use of freed memory show in any build: while a KeptMemory lives, memory given back
// with delete is neither reused nor overwritten, so an object deleted then read still looks
// alive. A guard that refuses deleted handles is then seen at work without the address
// checker, which is what would otherwise catch its absence. Everything kept is freed when the
// KeptMemory ends.

namespace zel::platform::test {

class KeptMemory {
public:
    KeptMemory();
    ~KeptMemory();
    KeptMemory(const KeptMemory&) = delete;
    KeptMemory& operator=(const KeptMemory&) = delete;
};

} // namespace zel::platform::test
