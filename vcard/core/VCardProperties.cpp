#include "VCardProperties.h"

#include "VCardLines.h"

namespace {

// The common ones first: the table is searched in order.
const PropertyName kProperties[] = {
    {"N", PropertyKind::kN, nullptr},
    {"FN", PropertyKind::kFn, nullptr},
    {"TEL", PropertyKind::kTel, nullptr},
    {"EMAIL", PropertyKind::kEmail, nullptr},
    {"ADR", PropertyKind::kAdr, nullptr},
    {"ORG", PropertyKind::kOrg, nullptr},
    {"TITLE", PropertyKind::kTitle, nullptr},
    {"NOTE", PropertyKind::kNote, nullptr},
    {"URL", PropertyKind::kUrl, nullptr},
    {"BEGIN", PropertyKind::kBegin, nullptr},
    {"END", PropertyKind::kEnd, nullptr},
    {"VERSION", PropertyKind::kVersion, nullptr},
    {"X-VANTREL-PAGES", PropertyKind::kPages, nullptr},
    {"X-VANTREL-WORKEXT", PropertyKind::kWorkExt, nullptr},
    {"AGENT", PropertyKind::kAgent, "agent"},
    // What describes the card rather than the person, or repeats what the
    // person's fields hold (LABEL is an address as printed).
    {"PRODID", PropertyKind::kIgnored, nullptr},
    {"REV", PropertyKind::kIgnored, nullptr},
    {"UID", PropertyKind::kIgnored, nullptr},
    {"KIND", PropertyKind::kIgnored, nullptr},
    {"LABEL", PropertyKind::kIgnored, nullptr},
    {"SORT-STRING", PropertyKind::kIgnored, nullptr},
    {"CLASS", PropertyKind::kIgnored, nullptr},
    {"NAME", PropertyKind::kIgnored, nullptr},
    {"SOURCE", PropertyKind::kIgnored, nullptr},
    {"MAILER", PropertyKind::kIgnored, nullptr},
    {"PROFILE", PropertyKind::kIgnored, nullptr},
    {"CLIENTPIDMAP", PropertyKind::kIgnored, nullptr},
    {"X-ABLABEL", PropertyKind::kIgnored, nullptr},
    {"X-ABUID", PropertyKind::kIgnored, nullptr},
    {"X-ABSHOWAS", PropertyKind::kIgnored, nullptr},
    {"BDAY", PropertyKind::kLeftOut, "birthday"},
    {"ANNIVERSARY", PropertyKind::kLeftOut, "anniversary"},
    {"X-ANNIVERSARY", PropertyKind::kLeftOut, "anniversary"},
    {"PHOTO", PropertyKind::kLeftOut, "photo"},
    {"LOGO", PropertyKind::kLeftOut, "logo"},
    {"SOUND", PropertyKind::kLeftOut, "sound"},
    {"KEY", PropertyKind::kLeftOut, "key"},
    {"NICKNAME", PropertyKind::kLeftOut, "nickname"},
    {"GEO", PropertyKind::kLeftOut, "geographic position"},
    {"TZ", PropertyKind::kLeftOut, "time zone"},
    {"ROLE", PropertyKind::kLeftOut, "role"},
    {"CATEGORIES", PropertyKind::kLeftOut, "categories"},
    {"GENDER", PropertyKind::kLeftOut, "gender"},
    {"LANG", PropertyKind::kLeftOut, "language"},
    {"RELATED", PropertyKind::kLeftOut, "relation"},
    {"MEMBER", PropertyKind::kLeftOut, "group member"},
    {"FBURL", PropertyKind::kLeftOut, "calendar address"},
    {"CALURI", PropertyKind::kLeftOut, "calendar address"},
    {"CALADRURI", PropertyKind::kLeftOut, "calendar address"},
    {"X-SOCIALPROFILE", PropertyKind::kLeftOut, "social profile"},
    {"IMPP", PropertyKind::kLeftOut, "instant messaging"},
    {"X-AIM", PropertyKind::kLeftOut, "instant messaging"},
    {"X-ICQ", PropertyKind::kLeftOut, "instant messaging"},
    {"X-JABBER", PropertyKind::kLeftOut, "instant messaging"},
    {"X-MSN", PropertyKind::kLeftOut, "instant messaging"},
    {"X-YAHOO", PropertyKind::kLeftOut, "instant messaging"},
    {"X-SKYPE", PropertyKind::kLeftOut, "instant messaging"},
    {"X-GOOGLE-TALK", PropertyKind::kLeftOut, "instant messaging"},
};

}  // namespace

const PropertyName* FindProperty(std::string_view name) {
    for (const PropertyName& property : kProperties) {
        if (name.size() == property.name.size() && EqualsNoCase(name, property.name)) return &property;
    }
    return nullptr;
}
