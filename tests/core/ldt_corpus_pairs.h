#pragma once
// The EULUMDAT files of the corpus that have an IES twin holding the same table: each file's name without extension
// and the twin's extension, both in the corpus folder "luxpy".

inline constexpr const char* LdtCorpusFolder = "luxpy";

inline constexpr const char* LdtCorpusPairs[][2] = {
    { "Testlamp_Isym1_007cfb11e343e2f42e3b476be4ab684e", ".ies" },
    { "Testlamp_Isym2_symmetryOverC0C180axis", ".ies" },
    { "Testlamp_Isym2_theta180+_erco_33499000_1xqt32_230w", ".IES" },
    { "Testlamp_Isym3_symmetryOverC90C270axis", ".ies" },
    { "Testlamp_Isym4_43cef5d76a391dd85c41d4d09d68600d", ".ies" },
    { "luxpy_test_lid_file", ".ies" },
};
