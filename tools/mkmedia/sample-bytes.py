"""Deterministic contents of the sample product's files.

usage: sample-bytes.py KIND ARG OUT
  program STUB  the stub's bytes, then filler up to 6,200,000 bytes: a part that barely
                packs and a part of instruction-like records that packs well
  module NAME   a smaller program of the same make, without a stub
  help -        a help text
  table NAME    a sample table with rows
  blank NAME    an empty table: its header only
"""
import random
import sys

PROGRAM_SIZE = 6_200_000
MODULE_SIZE = 300_000
DENSE_SHARE = 0.15  # of the filler: bytes that deflate hardly shrinks


def header(name: str) -> bytes:
    return f"TORVEX TABLE {name}\r\n".encode().ljust(128, b"\0")


def filled(stub: bytes, size: int, seed: str) -> bytes:
    rng = random.Random(seed)
    data = bytearray(stub)
    data += rng.randbytes(int((size - len(data)) * DENSE_SHARE))
    words = [b"MOV", b"PUSH", b"CALL", b"RET", b"JMP", b"CMP", b"LEA", b"XOR"]
    while len(data) < size:
        data += rng.choice(words) + bytes([rng.randrange(16), rng.randrange(4)]) + b"\x90" * rng.randrange(8)
    return bytes(data[:size])


def program(stub_path: str) -> bytes:
    return filled(open(stub_path, "rb").read(), PROGRAM_SIZE, "TORVEX")


def module(name: str) -> bytes:
    return filled(b"MZ", MODULE_SIZE, name)


def help_text() -> bytes:
    lines = [f"Capitolul {n}: contabilitate, facturi, solduri, balante.\r\n" for n in range(1, 400)]
    return "".join(lines).encode()


def table(name: str) -> bytes:
    rng = random.Random(name)
    rows = [f"{n:06d};{name};{rng.randint(1, 99999)}.{rng.randint(0, 99):02d}\r\n" for n in range(2000)]
    return header(name) + "".join(rows).encode()


def main() -> None:
    kind, arg, out = sys.argv[1:4]
    makers = {"program": lambda: program(arg), "help": help_text, "table": lambda: table(arg),
              "blank": lambda: header(arg), "module": lambda: module(arg)}
    open(out, "wb").write(makers[kind]())


if __name__ == "__main__":
    main()
