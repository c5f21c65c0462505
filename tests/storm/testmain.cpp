#include "testapplication.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    const auto app = storm::makeTestApplication(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
