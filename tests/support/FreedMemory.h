#pragma once

namespace testsupport
{
/** While one exists, memory given back through operator delete is
    overwritten first, so code that uses an object after its destruction
    reads garbage and fails at once instead of finding the old contents
    intact. Process-wide: meant for death-test children. Under
    AddressSanitizer it does nothing; the sanitizer reports such uses itself. */
class ScopedFreedMemoryScribbler final
{
public:
    ScopedFreedMemoryScribbler();
    ~ScopedFreedMemoryScribbler();
};
} // namespace testsupport
