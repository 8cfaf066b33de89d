// SPDX-License-Identifier: GPL-3.0-or-later
// PropertiesChanged built and sent with libdbus.
#include "bus/PropertiesChangedSignal.h"

#include <algorithm>
#include <dbus/dbus.h>
#include <memory>

namespace {
constexpr char kPropertiesInterface[] = "org.freedesktop.DBus.Properties";
constexpr char kPropertiesChanged[] = "PropertiesChanged";

// The D-Bus type of a value as the figures hold it; DBUS_TYPE_INVALID for any other.
int BusType(const QVariant& value) {
    switch (value.metaType().id()) {
        case QMetaType::Bool:
            return DBUS_TYPE_BOOLEAN;
        case QMetaType::QString:
            return DBUS_TYPE_STRING;
        case QMetaType::ULongLong:
            return DBUS_TYPE_UINT64;
        case QMetaType::LongLong:
            return DBUS_TYPE_INT64;
        case QMetaType::Double:
            return DBUS_TYPE_DOUBLE;
        default:
            return DBUS_TYPE_INVALID;
    }
}

bool AppendString(DBusMessageIter* iter, const QString& text) {
    const QByteArray utf8 = text.toUtf8();  // always valid UTF-8, as libdbus requires
    const char* data = utf8.constData();
    return dbus_message_iter_append_basic(iter, DBUS_TYPE_STRING, &data);
}

// `value` in a variant; its type is one BusType() knows.
bool AppendVariant(DBusMessageIter* iter, const QVariant& value) {
    const int type = BusType(value);
    const char signature[] = {char(type), '\0'};
    DBusMessageIter variant;
    if (!dbus_message_iter_open_container(iter, DBUS_TYPE_VARIANT, signature, &variant))
        return false;
    bool appended;
    if (type == DBUS_TYPE_STRING) {
        appended = AppendString(&variant, value.toString());
    } else if (type == DBUS_TYPE_BOOLEAN) {
        const dbus_bool_t flag = value.toBool();  // four bytes on the bus, one in C++
        appended = dbus_message_iter_append_basic(&variant, type, &flag);
    } else {  // 64-bit numbers, held in the variant just as the bus wants them
        static_assert(sizeof(qulonglong) == sizeof(dbus_uint64_t) && sizeof(double) == 8);
        appended = dbus_message_iter_append_basic(&variant, type, value.constData());
    }
    return dbus_message_iter_close_container(iter, &variant) && appended;
}

// The arguments after the interface's name (a{sv} as): what changed, nothing invalidated.
bool AppendChanges(DBusMessage* message, const QVariantMap& changed) {
    DBusMessageIter arguments, dictionary, invalidated;
    dbus_message_iter_init_append(message, &arguments);
    if (!dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "{sv}", &dictionary))
        return false;
    for (auto it = changed.cbegin(); it != changed.cend(); ++it) {
        DBusMessageIter entry;
        if (!dbus_message_iter_open_container(&dictionary, DBUS_TYPE_DICT_ENTRY, nullptr, &entry))
            return false;
        const bool appended = AppendString(&entry, it.key()) && AppendVariant(&entry, it.value());
        if (!dbus_message_iter_close_container(&dictionary, &entry) || !appended) return false;
    }
    return dbus_message_iter_close_container(&arguments, &dictionary) &&
           dbus_message_iter_open_container(&arguments, DBUS_TYPE_ARRAY, "s", &invalidated) &&
           dbus_message_iter_close_container(&arguments, &invalidated);
}

using Message = std::unique_ptr<DBusMessage, void (*)(DBusMessage*)>;

// The signal's header and its first argument, the interface's name; null without memory.
Message NewHead(const QString& path, const QString& interface) {
    Message head(dbus_message_new_signal(path.toUtf8().constData(), kPropertiesInterface,
                                         kPropertiesChanged),
                 &dbus_message_unref);
    if (!head) return head;
    DBusMessageIter arguments;
    dbus_message_iter_init_append(head.get(), &arguments);
    if (!AppendString(&arguments, interface)) head.reset();
    return head;
}
}  // namespace

PropertiesChangedSignal::PropertiesChangedSignal(const QString& path, const QString& interface)
    : head_(NewHead(path, interface)) {}

bool PropertiesChangedSignal::Send(const QDBusConnection& bus, const QVariantMap& changed) const {
    auto* connection = static_cast<DBusConnection*>(bus.internalPointer());
    const bool plain = std::all_of(changed.cbegin(), changed.cend(), [](const QVariant& value) {
        return BusType(value) != DBUS_TYPE_INVALID;
    });
    if (!head_ || !connection || !plain || !dbus_connection_get_is_connected(connection))
        return false;

    const Message message(dbus_message_copy(head_.get()), &dbus_message_unref);
    return message && AppendChanges(message.get(), changed) &&
           dbus_connection_send(connection, message.get(), nullptr);
}
