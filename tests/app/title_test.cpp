#include "apptitle.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* path;
    const char* title;
};

class Title : public testing::TestWithParam<Case> { };

TEST_P(Title, FromTheExecutablesFileName)
{
    EXPECT_EQ(applicationTitle(QString::fromUtf8(GetParam().path)).toStdString(), GetParam().title);
}

INSTANTIATE_TEST_SUITE_P(Examples, Title,
                         testing::Values(Case{"C:\\Programs\\ABC.DEF.EXE", "Abc"}, Case{"ABC.DEF.EXE", "Abc"},
                                         Case{"/usr/bin/ichijikansu", "ichijikansu"},
                                         Case{"/opt/x.y/Ichiji.Kansu", "Ichiji"}, Case{"/tmp/MiXeD", "Mixed"},
                                         Case{"/tmp/ÉCOLE.bin", "École"}, Case{"/tmp/一次関数ABC", "一次関数abc"},
                                         Case{"/tmp/.hidden", ""}, Case{"", ""}));

} // namespace
