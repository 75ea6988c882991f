#!/usr/bin/env python3
"""A scripted SNMPv1 responder on 127.0.0.1 for the cases a real agent never
produces (an OID that does not increase, an empty answer, exception values,
arbitrary error statuses, malformed instance OIDs).

Usage: snmp_responder.py PORT SCRIPT.json LOG

The script is a JSON object:
  {"answers": [ANSWER, ...],
   "then": "nosuchname" | "silent" | "repeat" | "increasing",
   "gate": PATH}
Each request is answered with the next ANSWER in order:
  {"vars": [[OID, TYPE, VALUE], ...]}   error status 0 and these variables
  {"error": N}                          error status N, the request's variables
  {"silent": true}                      no answer at all
TYPE is "int", "str" (VALUE text, UTF-8), "hex" (VALUE hex digits, raw
bytes), "null", or a number: a bare tag with an empty value (0x80..0x82 are
the exception values). When the answers run out, requests get error status 2
(noSuchName), with "then": "silent" no answer, with "repeat" the last answer
again, and with "increasing" a table that never ends: an integer at the
requested OID's next row (an OID shorter than a table instance is completed
as column 1, index 1, row 1). With "gate", requests that arrive while the
file PATH does not exist are logged but not answered (the client's retries
are answered once it exists).

Every request received is appended to LOG as one line "GET OID" or
"GETNEXT OID" (first variable), and "ready" is written to standard output
once the socket is bound. PORT 0 binds a free port and writes "ready PORT".
The responder ends by itself once the process that started it is gone.
"""
import json
import os
import socket
import sys


def read_tlv(data, pos):
    tag = data[pos]
    pos += 1
    length = data[pos]
    pos += 1
    if length & 0x80:
        count = length & 0x7F
        length = int.from_bytes(data[pos:pos + count], "big")
        pos += count
    return tag, data[pos:pos + length], pos + length


def encode_length(n):
    if n < 0x80:
        return bytes([n])
    body = n.to_bytes((n.bit_length() + 7) // 8, "big")
    return bytes([0x80 | len(body)]) + body


def tlv(tag, body):
    return bytes([tag]) + encode_length(len(body)) + body


def encode_int(v):
    length = 1
    while not -(1 << (8 * length - 1)) <= v < (1 << (8 * length - 1)):
        length += 1
    return tlv(0x02, v.to_bytes(length, "big", signed=True))


def encode_oid(text):
    parts = [int(p) for p in text.strip(".").split(".")]
    body = bytes([parts[0] * 40 + parts[1]])
    for sub in parts[2:]:
        chunk = [sub & 0x7F]
        sub >>= 7
        while sub:
            chunk.insert(0, 0x80 | (sub & 0x7F))
            sub >>= 7
        body += bytes(chunk)
    return tlv(0x06, body)


def decode_oid(body):
    parts = [body[0] // 40, body[0] % 40]
    sub = 0
    for b in body[1:]:
        sub = (sub << 7) | (b & 0x7F)
        if not b & 0x80:
            parts.append(sub)
            sub = 0
    return ".".join(str(p) for p in parts)


def encode_value(kind, value):
    if kind == "int":
        return encode_int(int(value))
    if kind == "str":
        return tlv(0x04, str(value).encode("utf-8"))
    if kind == "hex":
        return tlv(0x04, bytes.fromhex(value))
    if kind == "null":
        return tlv(0x05, b"")
    return tlv(int(kind), b"")


def main():
    port, script_path, log_path = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    with open(script_path) as f:
        script = json.load(f)
    answers = list(script.get("answers", []))
    then = script.get("then", "nosuchname")
    gate = script.get("gate")
    last = {"error": 2}

    sock = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    sock.bind(("127.0.0.1", port))
    if port == 0:
        print("ready %d" % sock.getsockname()[1], flush=True)
    else:
        print("ready", flush=True)
    log = open(log_path, "a", buffering=1)

    # A test that dies without stopping its responder must not leave it
    # running: once the process that started it is gone, it ends too.
    parent = os.getppid()
    sock.settimeout(1.0)
    while True:
        try:
            data, peer = sock.recvfrom(65535)
        except socket.timeout:
            if os.getppid() != parent:
                return
            continue
        try:
            _, message, _ = read_tlv(data, 0)
            _, version, pos = read_tlv(message, 0)
            _, community, pos = read_tlv(message, pos)
            pdu_tag, pdu, _ = read_tlv(message, pos)
            _, reqid, p = read_tlv(pdu, 0)
            _, _, p = read_tlv(pdu, p)
            _, _, p = read_tlv(pdu, p)
            _, varbinds, _ = read_tlv(pdu, p)
            _, first, _ = read_tlv(varbinds, 0)
            _, oid, _ = read_tlv(first, 0)
        except (IndexError, ValueError):
            continue
        kind = {0xA0: "GET", 0xA1: "GETNEXT"}.get(pdu_tag, "PDU%02X" % pdu_tag)
        requested = decode_oid(oid)
        log.write("%s %s\n" % (kind, requested))
        if gate and not os.path.exists(gate):
            continue

        if answers:
            answer = last = answers.pop(0)
        elif then == "repeat":
            answer = last
        elif then == "increasing":
            parts = requested.split(".")
            if len(parts) < 18:
                parts += ["1"] * (18 - len(parts))
            else:
                parts[-1] = str(int(parts[-1]) + 1)
            row = ".".join(parts)
            answer = {"vars": [[row, "int", int(parts[-1])]]}
        elif then == "nosuchname":
            answer = {"error": 2}
        else:
            answer = {"silent": True}
        if answer.get("silent"):
            continue
        if "error" in answer:
            status, index, body = int(answer["error"]), 1, varbinds
        else:
            status, index = 0, 0
            body = b"".join(tlv(0x30, encode_oid(o) + encode_value(t, v))
                            for o, t, v in answer["vars"])
        reply = (tlv(0x02, version) + tlv(0x04, community) +
                 tlv(0xA2, tlv(0x02, reqid) + encode_int(status) +
                     encode_int(index) + tlv(0x30, body)))
        sock.sendto(tlv(0x30, reply), peer)


if __name__ == "__main__":
    main()
