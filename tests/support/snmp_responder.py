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

With "table": [[OID, TYPE, VALUE], ...] instead of "answers", requests are
answered from that table as an agent does: GET, GETNEXT with any number of
variables, and GETBULK under SNMPv2c. Past the table's end SNMPv1 gets
noSuchName with the index of the first such variable, SNMPv2c endOfMibView.
Further keys shape it like the agents of real printers:
  "toobig": K     an answer that would carry more than K variables is
                  tooBig (error status 1) instead
  "v1only": true  requests of any other SNMP version get no answer
  "back": [FROM, TO]   a GETNEXT variable asking for FROM gets TO (a row
                  index that does not increase)
  "refuse": [OID]      a GETNEXT variable asking for one of these OIDs gets
                  noSuchName with that variable's index (SNMPv1)
  "delay": SECONDS     every answer waits this long (with "answers" too)

With "proxy": "HOST:PORT" every request is passed on to that agent and its
answer back, each held "delay" seconds first: a slow agent made of a real one.

Every request received is appended to LOG as one line "GET OID",
"GETNEXT OID" or "GETBULK OID" (first variable), and "ready" is written to standard output
once the socket is bound. PORT 0 binds a free port and writes "ready PORT".
The responder ends by itself once the process that started it is gone.
"""
import bisect
import json
import os
import socket
import sys
import time


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


def oid_key(text):
    return tuple(int(p) for p in text.strip(".").split("."))


def oid_text(key):
    return ".".join(str(p) for p in key)


def table_next(table, key):
    """The first variable of the table after key, or None."""
    i = bisect.bisect_right(table[0], key)
    return table[1][i] if i < len(table[1]) else None


def table_answer(script, table, pdu_tag, names, version, non_repeaters, repetitions):
    v1 = int.from_bytes(version, "big") == 0
    back = script.get("back")
    refuse = [oid_key(p) for p in script.get("refuse", [])]
    found = []  # [OID, TYPE, VALUE] answers in order

    def next_var(name):
        if back and name == oid_key(back[0]):
            for k, t, v in table[1]:
                if k == oid_key(back[1]):
                    return (k, t, v)
        return table_next(table, name)

    if pdu_tag == 0xA0:
        by_key = {r[0]: r for r in table[1]}
        for i, name in enumerate(names):
            var = by_key.get(oid_key(name))
            if var is None:
                if v1:
                    return {"error": 2, "index": i + 1}
                found.append([name, "128", None])
            else:
                found.append([oid_text(var[0]), var[1], var[2]])
    elif pdu_tag == 0xA1 or (pdu_tag == 0xA5 and not v1):
        plan = [(n, 1) for n in names]
        if pdu_tag == 0xA5:
            plan = [(n, 1) for n in names[:non_repeaters]]
            rest = names[non_repeaters:]
            cursors = [oid_key(n) for n in rest]
            rows = []
            for _ in range(repetitions if rest else 0):
                row = []
                for c, name in enumerate(cursors):
                    var = next_var(name) if name is not None else None
                    if var is None:
                        row.append([oid_text(name) if name else oid_text(oid_key(rest[c])), "130", None])
                        cursors[c] = None
                    else:
                        row.append([oid_text(var[0]), var[1], var[2]])
                        cursors[c] = var[0]
                rows.append(row)
        for i, (name, _) in enumerate(plan):
            if v1 and oid_key(name) in refuse:
                return {"error": 2, "index": i + 1}
            var = next_var(oid_key(name))
            if var is None:
                if v1:
                    return {"error": 2, "index": i + 1}
                found.append([name, "130", None])
            else:
                found.append([oid_text(var[0]), var[1], var[2]])
        if pdu_tag == 0xA5:
            for row in rows:
                found.extend(row)
    else:
        return {"error": 5, "index": 0}
    if "toobig" in script and len(found) > int(script["toobig"]):
        return {"error": 1, "index": 0}
    return {"vars": found}


def main():
    port, script_path, log_path = int(sys.argv[1]), sys.argv[2], sys.argv[3]
    with open(script_path) as f:
        script = json.load(f)
    answers = list(script.get("answers", []))
    then = script.get("then", "nosuchname")
    gate = script.get("gate")
    delay = float(script.get("delay", 0))
    table = None
    if "table" in script:
        rows = sorted(((oid_key(o), t, v) for o, t, v in script["table"]), key=lambda r: r[0])
        table = ([r[0] for r in rows], rows)
    last = {"error": 2}

    upstream = None
    if "proxy" in script:
        host, _, upstream_port = script["proxy"].rpartition(":")
        upstream = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
        upstream.connect((host, int(upstream_port)))
        upstream.settimeout(5.0)

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
            _, field2, p = read_tlv(pdu, p)
            _, field3, p = read_tlv(pdu, p)
            _, varbinds, _ = read_tlv(pdu, p)
            names = []
            q = 0
            while q < len(varbinds):
                _, vb, q = read_tlv(varbinds, q)
                _, oid, _ = read_tlv(vb, 0)
                names.append(decode_oid(oid))
            requested = names[0]
        except (IndexError, ValueError):
            continue
        kind = {0xA0: "GET", 0xA1: "GETNEXT", 0xA5: "GETBULK"}.get(pdu_tag, "PDU%02X" % pdu_tag)
        log.write("%s %s\n" % (kind, requested))
        if gate and not os.path.exists(gate):
            continue
        if delay:
            time.sleep(delay)
        if upstream is not None:
            upstream.send(data)
            try:
                sock.sendto(upstream.recv(65535), peer)
            except socket.timeout:
                pass
            continue

        if table is not None:
            if script.get("v1only") and int.from_bytes(version, "big") != 0:
                continue
            answer = table_answer(script, table, pdu_tag, names, version,
                                  int.from_bytes(field2, "big"), int.from_bytes(field3, "big"))
        elif answers:
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
            status, index, body = int(answer["error"]), int(answer.get("index", 1)), varbinds
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
