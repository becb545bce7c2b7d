#include "catalogue/model_record.h"

#include "catalogue/model_records.h"

namespace {

template <int N>
ModelRecord recordOf(const unsigned char (&bytes)[N]) {
    return ModelRecord{bytes, N};
}

}  // namespace

ModelRecord modelRecord(Model model) {
    switch (model) {
        case GY_150BT:
            return recordOf(model_records::GY_150BT);
        case GY_160BT:
            return recordOf(model_records::GY_160BT);
        case GY_310:
            return recordOf(model_records::GY_310);
        case FC_412:
            return recordOf(model_records::FC_412);
        case FC_413:
            return recordOf(model_records::FC_413);
        case FC_410:
            return recordOf(model_records::FC_410);
        case FC_440:
            return recordOf(model_records::FC_440);
        case FC_442:
            return recordOf(model_records::FC_442);
        case FC_443:
            return recordOf(model_records::FC_443);
        case FC_510:
            return recordOf(model_records::FC_510);
        case FC_520:
            return recordOf(model_records::FC_520);
        case FC_550:
            return recordOf(model_records::FC_550);
        case FC_560:
            return recordOf(model_records::FC_560);
        case HU_3430:
            return recordOf(model_records::HU_3430);
        case HU_3440:
            return recordOf(model_records::HU_3440);
        case HU_2310:
            return recordOf(model_records::HU_2310);
        case HU_2300:
            return recordOf(model_records::HU_2300);
        case VZ_140N:
            return recordOf(model_records::VZ_140N);
        case VZ_210W:
            return recordOf(model_records::VZ_210W);
        case VZ_220NW:
            return recordOf(model_records::VZ_220NW);
        case SN_3100:
            return recordOf(model_records::SN_3100);
        case SN_3200N:
            return recordOf(model_records::SN_3200N);
        case SN_3300N:
            return recordOf(model_records::SN_3300N);
        case KX_C270W:
            return recordOf(model_records::KX_C270W);
        case KX_A380W:
            return recordOf(model_records::KX_A380W);
        case SN_7100N:
            return recordOf(model_records::SN_7100N);
        case SN_7000:
            return recordOf(model_records::SN_7000);
        case FC_650:
            return recordOf(model_records::FC_650);
        case FC_660:
            return recordOf(model_records::FC_660);
        case FC_680:
            return recordOf(model_records::FC_680);
        case FC_610:
            return recordOf(model_records::FC_610);
        case FC_620:
            return recordOf(model_records::FC_620);
        case FC_660MFi:
            return recordOf(model_records::FC_660MFi);
        case FC_580:
            return recordOf(model_records::FC_580);
        case GY_160MFi:
            return recordOf(model_records::GY_160MFi);
        case GY_310MFi:
            return recordOf(model_records::GY_310MFi);
        case KX_A120BT:
            return recordOf(model_records::KX_A120BT);
        case KX_C450TKW:
            return recordOf(model_records::KX_C450TKW);
        case KX_F420W:
            return recordOf(model_records::KX_F420W);
        case KX_A540W:
            return recordOf(model_records::KX_A540W);
        case KX_A570NW:
            return recordOf(model_records::KX_A570NW);
        case HU_3430Ai:
            return recordOf(model_records::HU_3430Ai);
        case KX_C420W:
            return recordOf(model_records::KX_C420W);
        case HU_1200:
            return recordOf(model_records::HU_1200);
        case HU_1210:
            return recordOf(model_records::HU_1210);
        case HU_1240:
            return recordOf(model_records::HU_1240);
        case HU_1250:
            return recordOf(model_records::HU_1250);
        case HU_2300Ai:
            return recordOf(model_records::HU_2300Ai);
        case HU_2310Ai:
            return recordOf(model_records::HU_2310Ai);
        case VZ_300:
            return recordOf(model_records::VZ_300);
        case VZ_310W:
            return recordOf(model_records::VZ_310W);
        case VZ_320NWB:
            return recordOf(model_records::VZ_320NWB);
        case VZ_4600:
            return recordOf(model_records::VZ_4600);
        case VZ_4610NWB:
            return recordOf(model_records::VZ_4610NWB);
        case VZ_4620NWB:
            return recordOf(model_records::VZ_4620NWB);
        case KX_A360BT:
            return recordOf(model_records::KX_A360BT);
        case KX_C240:
            return recordOf(model_records::KX_C240);
        case HU_3620B:
            return recordOf(model_records::HU_3620B);
        case HU_3650WB:
            return recordOf(model_records::HU_3650WB);
        case SN_7400D:
            return recordOf(model_records::SN_7400D);
        case SN_7410DN:
            return recordOf(model_records::SN_7410DN);
        case SN_7500D:
            return recordOf(model_records::SN_7500D);
        case SN_7510DN:
            return recordOf(model_records::SN_7510DN);
        case SN_7550DNWB:
            return recordOf(model_records::SN_7550DNWB);
        case GY_180:
            return recordOf(model_records::GY_180);
        case GY_320:
            return recordOf(model_records::GY_320);
        case KX_A550BT:
            return recordOf(model_records::KX_A550BT);
        case KX_A365eBT:
            return recordOf(model_records::KX_A365eBT);
        case NO_MODEL:
            break;
    }
    return ModelRecord{};
}
