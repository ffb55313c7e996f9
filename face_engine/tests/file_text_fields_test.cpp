#include "file/text_fields.h"

#include <gtest/gtest.h>

namespace zel::engine {
namespace {

TEST(FileTextFields, Placeholder) {}

} // namespace
} // namespace zel::engine
