#!/usr/bin/env python3
"""Saves pictures of the page in headless Chromium. The dictionary window in the state of the
desktop's picture: record 264 found by "water", with its readings shown. With --phone WIDTHxHEIGHT,
on a touch screen of that many CSS pixels, both windows, the expression window after reading
日本語の本 with 本 tapped and conjugating "taberu".

usage: /usr/bin/python3 tests/web/screenshot.py <page folder> <picture.png> [<expression.png>
       --phone WIDTHxHEIGHT [--scale S]]
"""

import argparse
import base64
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import Chromium, serve  # noqa: E402

from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402


def whole_page(browser, picture):
    """The page from its top to its end, as a phone shows it when scrolled through."""
    shot = browser.cdp('Page.captureScreenshot', format='png', captureBeyondViewport=True)
    with open(picture, 'wb') as out:
        out.write(base64.b64decode(shot['data']))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument('site')
    parser.add_argument('pictures', nargs='+', metavar='picture')
    parser.add_argument('--phone', metavar='WIDTHxHEIGHT')
    parser.add_argument('--scale', type=float, default=1, help='device pixels per CSS pixel')
    arguments = parser.parse_args()
    browser = Chromium(width=640, height=800)
    try:
        driver = browser.driver
        if arguments.phone:
            width, height = map(int, arguments.phone.split('x'))
            browser.cdp('Emulation.setDeviceMetricsOverride', width=width, height=height,
                        deviceScaleFactor=arguments.scale, mobile=True)
            browser.cdp('Emulation.setTouchEmulationEnabled', enabled=True, maxTouchPoints=5)
        driver.get(serve(os.path.abspath(arguments.site)) + 'index.html')
        WebDriverWait(driver, 10).until(lambda d: d.execute_script(
            'const f = document.querySelector(\'[data-name="Form1"]\'); return f && !f.hidden'))
        control = lambda form, name: driver.find_element(
            By.CSS_SELECTOR, f'[data-name="{form}"] [data-name="{name}"]')
        control('Form1', 'Text1').send_keys('water')
        control('Form1', 'Command2').click()
        control('Form1', 'Command4').click()
        shoot = (lambda picture: whole_page(browser, picture)) if arguments.phone else \
            driver.find_element(By.CSS_SELECTOR, '[data-name="Form1"]').screenshot
        shoot(arguments.pictures[0])
        if len(arguments.pictures) > 1:
            control('Form1', 'Command10').click()
            control('Form2', 'Text1').send_keys('日本語の本')
            control('Form2', 'Command1').click()
            control('Form2', 'Label2[1]').click()
            control('Form2', 'Text2').send_keys('taberu')
            control('Form2', 'Command4').click()
            driver.execute_script('document.activeElement.blur()')
            shoot(arguments.pictures[1])
    finally:
        browser.quit()
    print(*arguments.pictures)


if __name__ == '__main__':
    main()
