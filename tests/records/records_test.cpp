#include <gtest/gtest.h>
int main_placeholder;
TEST(Records, Placeholder) { SUCCEED(); }
