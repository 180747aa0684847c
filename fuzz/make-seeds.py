#!/usr/bin/env python3
"""Writes the seed corpus of every fuzz target into fuzz/corpus/<target>/ (run once; kept in git)."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))


def seed(target, name, data):
    folder = os.path.join(HERE, "corpus", target)
    os.makedirs(folder, exist_ok=True)
    if isinstance(data, str):
        data = data.encode("cp1251")
    with open(os.path.join(folder, name), "wb") as f:
        f.write(data)


def cells(rows, crlf=True):
    end = "\r\n" if crlf else "\n"
    return "".join(cell + end for row in rows for cell in row)


products = [["1", "Молоко 3,2%", "пастеризованное", "5990", "7", "0", "1001", "1", "1", "0", ""],
            ["2", "Сыр", "", "45000", "311226", "15", "2001", "2", "0", "1", "РОСТ"]]
seed("pl6", "two-rows", cells(products))
seed("pl6", "lf-and-eof", cells(products[:1], crlf=False) + "\x1a")
seed("pl6", "short", "7\r\nХлеб\r\n")
messages = [["1"] + ["Строка %d" % i for i in range(1, 9)], ["1000"] + [""] * 8]
seed("msg", "two-rows", cells(messages))
seed("msg", "long-line", "5\r\n" + "Я" * 60 + "\r\n")
config = [["1", "Мясо", "Мясной", "1", "COM1", "9600", "meat.pl6", "meat.msg", ""],
          ["2", "Рыба", "", "2", "COM2", "2400", "", "", ""]]
seed("cfl", "two-rows", cells(config))
seed("cfl", "bad-speed", cells([["1", "A", "B", "99", "COM17", "115200", "", "", ""]]))

def plu_record(plu, price, name1, name2):
    r = bytearray(b" " * 100)
    r[0:4] = plu.to_bytes(4, "little")
    r[4:32] = name1.encode("cp1251").ljust(28)[:28]
    r[32:60] = name2.encode("cp1251").ljust(28)[:28]
    r[60:64] = price.to_bytes(4, "little")
    return bytes(r)

seed("plu", "one-record", b"\x01" + plu_record(1, 5990, "Молоко", "3,2%"))
seed("plu", "two-records", b"\x00" + plu_record(1, 5990, "Молоко", "") + plu_record(4000, 1, "Соль", "йод"))
seed("plu", "cut-short", b"\x02" + plu_record(3, 100, "Чай", "")[:57])
seed("plu_record", "milk", plu_record(1, 5990, "Молоко", "3,2%"))
seed("plu_record", "empty-cell", b"\xee" * 100)
seed("plu_record", "digits", bytes(range(10)) * 10)

totals = ["123", "45", "01.12.26", "10:15:00", "1234,56", "12", "3,500", "99999,99", "100", "12,345", "5", "3995"]
seed("acc", "totals-and-rows", cells([totals]) + cells([["1", "Молоко", "12", "5,000", "599,00"]]))
seed("acc", "totals-only", cells([totals], crlf=False))

seed("qmi", "blank", b"\x00" * 512)
seed("qmi", "frame", b"\xff" * 8 + b"\x80\x00\x00\x00\x00\x00\x00\x01" * 62 + b"\xff" * 8)
seed("logo_record", "answer", b"\x97" + b"\x55\xaa" * 256)
seed("logo_record", "short", b"\x97" + b"\x00" * 100)

settings = ["0", "Arial", "Arial", "Arial", "Arial", "Arial", "wsMaximized", "1", "46", "10", "20", "4", "10"]
settings += ["TRUE", "FALSE"] * 7 + ["Спасибо", "за покупку !", "TRUE", "TRUE", "127", "TRUE", "TRUE", "FALSE", "60", "TRUE"]
seed("settings_file", "with-config", cells([settings]) + cells(config))
seed("settings_file", "defaults-no-config", cells([settings[:36] + ["FALSE"]]))
seed("settings_file", "garbage-numbers", cells([["-5", "", "", "", "", "", "ws", "9", "x", "", "999", "-1"]]))

seed("ports_cfg", "two", "COM1=/dev/ttyUSB0\nCOM2=/dev/ttyS1\r\n")
seed("ports_cfg", "odd", "COM0=/dev/null\nCOM17=x\n=y\nCOM3\ncom4=/dev/pts/3\n")
seed("price_key_lines", "three", "1\t1\n2\t\n54\t4000\n")
seed("price_key_lines", "crlf-bad", "1\t5\r\n1\t6\r\n55\t1\r\nx")

seed("message_record", "answer", b"\x83" + "".join(("Строка %d" % i).ljust(50) for i in range(8)).encode("cp1251"))
seed("message_record", "zeros", b"\x83" + b"\x00" * 400)
seed("user_settings_record", "both", bytes([0x46, 0x14, 0x04, 0x0a, 0x00, 0x0a, 0x00, 0xff, 0x01, 0x02]) + b" " * 47)
seed("user_settings_record", "shop", "Магазин у дома".ljust(28) + "за покупку !".ljust(28) + "\x00")
seed("status_record", "weighing", bytes([0x01, 0x00, 0xd2, 0x04, 0, 0, 0x10, 0x27, 0, 0, 0xff, 0xff, 0xff, 0xff, 1, 0]))
seed("factory_record", "typical", bytes([15, 0, 3, 2, 2, 5, 2, 1, 0, 0, 9, 0, 6, 7]))
seed("price_key_record", "cell-12", bytes([0x96, 0x0c, 0x00, 0x00, 0x00]))
seed("price_key_record", "none", bytes([0x96, 0xff, 0xff, 0xff, 0xff]))
seed("totals_record", "counters", bytes(range(41)))
seed("totals_record", "bcd-bad", b"\x99\xaa" * 20 + b"\x00")
bom = "\ufeff".encode("utf-8")
seed("csv", "products-header", b"\x00" + bom + "№PLU;Наименование1;Цена,коп.\r\n1;\"Сыр \"\"Рос\"\"\";45000\r\n".encode("utf-8"))
seed("csv", "messages-1251", b"\x01" + "5,Строка один,\"две; три\"\r\n,,\r\n".encode("cp1251"))
seed("csv", "config-utf16", b"\x02" + "\ufeff1\tМясо\t\t1\tCOM1\t9600\r\n".encode("utf-16-le"))
